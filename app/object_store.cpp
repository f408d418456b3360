#include "app/object_store.h"

#include <utility>

namespace kiro {

ObjectStore::ObjectStore(std::filesystem::path documentsDirectory, std::filesystem::path modelLocation,
                         Log& log, Notices& notices)
    : documentsDirectory_(std::move(documentsDirectory)),
      modelLocation_(std::move(modelLocation)),
      log_(log),
      notices_(notices) {}

const ManagedObjectModel* ObjectStore::managedObjectModel() {
  if (!managedObjectModel_) {
    auto loaded = ManagedObjectModel::load(modelLocation_);
    if (!loaded.ok()) {
      // A missing resource is a packaging fault, not damaged data: nothing is ever stored,
      // so the stack stays unmade instead of ending the process.
      log_.print("The saved data is not set up: %@, %@", describe(loaded.error()), describeUserInfo(loaded.error()));
      return nullptr;
    }
    managedObjectModel_ = std::make_unique<ManagedObjectModel>(std::move(loaded).value());
  }
  return managedObjectModel_.get();
}

PersistentStoreCoordinator* ObjectStore::persistentStoreCoordinator() {
  if (!persistentStoreCoordinator_) {
    const ManagedObjectModel* model = managedObjectModel();
    if (model == nullptr) return nullptr;
    persistentStoreCoordinator_ = std::make_unique<PersistentStoreCoordinator>(*model);
    const auto added = persistentStoreCoordinator_->addPersistentStore(documentsDirectory_ / kStoreFileName);
    if (!added.ok()) terminateUnresolved(log_, notices_, storeInitializationError(added.error()));
  }
  return persistentStoreCoordinator_.get();
}

ManagedObjectContext* ObjectStore::managedObjectContext() {
  if (!managedObjectContext_) {
    PersistentStoreCoordinator* coordinator = persistentStoreCoordinator();
    if (coordinator == nullptr) return nullptr;
    managedObjectContext_ = std::make_unique<ManagedObjectContext>();
    managedObjectContext_->setPersistentStoreCoordinator(coordinator);
  }
  return managedObjectContext_.get();
}

void ObjectStore::saveContext() { managedObjectContext(); }

}  // namespace kiro
