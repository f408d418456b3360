#pragma once

#include <filesystem>

#include "app/object_store_error.h"
#include "base/result.h"

namespace kiro {

// The data model of the saved data. It has no entities; its version is recorded in the
// store so that a store is only ever opened with the model that made it.
class ManagedObjectModel {
 public:
  explicit ManagedObjectModel(long version) : version_(version) {}

  // location: the model resource, a text file whose one directive is `object-model <version>`.
  static Result<ManagedObjectModel, ObjectStoreError> load(const std::filesystem::path& location);

  long version() const { return version_; }

 private:
  long version_;
};

}  // namespace kiro
