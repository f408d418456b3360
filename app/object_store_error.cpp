#include "app/object_store_error.h"

#include <cstdlib>
#include <iostream>
#include <utility>

namespace kiro {

ObjectStoreError objectStoreError(ObjectStoreCode code, std::string description) {
  return {std::string(kObjectStoreDomain), static_cast<long>(code), std::move(description), std::nullopt,
          nullptr};
}

ObjectStoreError storeInitializationError(ObjectStoreError underlying) {
  return {std::string(kAppErrorDomain), kStoreInitializationFailed,
          "Failed to initialize the application's saved data",
          "There was an error creating or loading the application's saved data.",
          std::make_shared<const ObjectStoreError>(std::move(underlying))};
}

std::string describe(const ObjectStoreError& error) {
  return format("Error Domain=%@ Code=%ld \"%@\"", error.domain, error.code, error.localizedDescription);
}

std::string describeUserInfo(const ObjectStoreError& error) {
  std::string out = "{localizedDescription = " + error.localizedDescription + ";";
  if (error.localizedFailureReason) out += " localizedFailureReason = " + *error.localizedFailureReason + ";";
  if (error.underlyingError) out += " underlyingError = " + describe(*error.underlyingError) + ";";
  return out + "}";
}

void terminateUnresolved(Log& log, Notices& notices, const ObjectStoreError& error) {
  const std::string line = format("Unresolved error %@, %@", describe(error), describeUserInfo(error));
  log.line(line);
  // The log may be quiet: a person must still learn why the app stopped.
  notices.say(line);
  // At once and without clean-up, but as a plain failure: a signal would leave a core dump
  // and a crash report for what is bad data, not a bug.
  std::cout.flush();
  std::_Exit(1);
}

}  // namespace kiro
