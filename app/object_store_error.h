#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/log.h"
#include "platform/notices.h"

namespace kiro {

// Why the saved data could not be set up: a domain and code, a readable description and,
// when one lower layer failed first, the error it reported.
struct ObjectStoreError {
  std::string domain;
  long code = 0;
  std::string localizedDescription;
  std::optional<std::string> localizedFailureReason;
  std::shared_ptr<const ObjectStoreError> underlyingError;
};

// The application's own error for a store that cannot be added.
inline constexpr std::string_view kAppErrorDomain = "YOUR_ERROR_DOMAIN";
inline constexpr long kStoreInitializationFailed = 9999;

// Errors of the model file and the store file themselves.
inline constexpr std::string_view kObjectStoreDomain = "ObjectStore";
enum class ObjectStoreCode : long { modelUnreadable = 1, modelInvalid = 2, storeIncompatible = 3 };

// description: what is wrong, in one sentence.
ObjectStoreError objectStoreError(ObjectStoreCode code, std::string description);

// underlying: the error the store reported while it was being added.
ObjectStoreError storeInitializationError(ObjectStoreError underlying);

// `Error Domain=<domain> Code=<code> "<description>"`
std::string describe(const ObjectStoreError& error);

// The user-info entries present, `{key = value; ...}`, the underlying error by its description.
std::string describeUserInfo(const ObjectStoreError& error);

// Logs "Unresolved error %@, %@" with the error and its user info, says it to the user too,
// then ends the process at once with status 1: the saved data cannot be trusted, so nothing
// else may run.
[[noreturn]] void terminateUnresolved(Log& log, Notices& notices, const ObjectStoreError& error);

}  // namespace kiro
