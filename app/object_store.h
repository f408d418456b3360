#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "app/managed_object_context.h"
#include "app/managed_object_model.h"
#include "app/persistent_store_coordinator.h"
#include "platform/log.h"
#include "platform/notices.h"

namespace kiro {

// The model resource, shipped beside the executable, and the store file's name.
inline constexpr std::string_view kModelResourceName = "Tavrel.momd";
inline constexpr std::string_view kStoreFileName = "Tavrel.sqlite";

// The application's saved data: model, coordinator with one SQLite store, and the context,
// each made on first use. Nothing is ever stored; the stack is made, and the store file
// opened or created, by the save at termination.
class ObjectStore {
 public:
  // documentsDirectory: where the store file lives (see userDocumentsDirectory()).
  // modelLocation: the model resource. log: receives the failure lines. notices: told of a
  // store that cannot be added.
  ObjectStore(std::filesystem::path documentsDirectory, std::filesystem::path modelLocation, Log& log,
              Notices& notices);

  // nullptr when the model resource is missing or invalid; that is logged, and retried on
  // the next call.
  const ManagedObjectModel* managedObjectModel();

  // nullptr without a model. A store that cannot be added is logged as an unresolved error
  // and ends the process.
  PersistentStoreCoordinator* persistentStoreCoordinator();

  // nullptr without a coordinator.
  ManagedObjectContext* managedObjectContext();

  // Makes the stack if needed. The context never has changes, so nothing is written.
  void saveContext();

  const std::filesystem::path& applicationDocumentsDirectory() const { return documentsDirectory_; }

 private:
  std::filesystem::path documentsDirectory_;
  std::filesystem::path modelLocation_;
  Log& log_;
  Notices& notices_;
  // Declared in order of dependence, so each piece is destroyed before the one it uses.
  std::unique_ptr<ManagedObjectModel> managedObjectModel_;
  std::unique_ptr<PersistentStoreCoordinator> persistentStoreCoordinator_;
  std::unique_ptr<ManagedObjectContext> managedObjectContext_;
};

}  // namespace kiro
