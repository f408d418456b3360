#pragma once

#include "app/persistent_store_coordinator.h"

namespace kiro {

// The main-thread context over the coordinator. The model has no entities, so the context
// never holds objects and never has changes to save.
class ManagedObjectContext {
 public:
  PersistentStoreCoordinator* persistentStoreCoordinator() const { return coordinator_; }
  // coordinator: must outlive the context.
  void setPersistentStoreCoordinator(PersistentStoreCoordinator* coordinator) { coordinator_ = coordinator; }

 private:
  PersistentStoreCoordinator* coordinator_ = nullptr;
};

}  // namespace kiro
