#pragma once

#include <filesystem>
#include <memory>

#include "app/object_store.h"
#include "app/screen_navigator.h"
#include "platform/web_remote.h"
#include "ui/application.h"
#include "ui/window.h"
#include "screens/remote/camera_view_controller.h"

namespace kiro {

// The application delegate: launches the one window with the remote control screen at
// the bottom of its navigation stack, and saves the object store at termination. It makes
// no Bluetooth object: the link manager appears when the remote screen's view loads.
class AppDelegate {
 public:
  // application: gets the idle-timer flag. documentsDirectory and modelLocation: where the
  // object store keeps its file and finds its model. log and notices: the store's failures.
  AppDelegate(Application& application, std::filesystem::path documentsDirectory,
              std::filesystem::path modelLocation, Log& log, Notices& notices);

  bool didFinishLaunchingWithOptions();
  // The life-cycle callbacks: the Bluetooth link, scanning and timers carry on as they are.
  void applicationWillResignActive() {}
  void applicationDidEnterBackground() {}
  void applicationWillEnterForeground() {}
  void applicationDidBecomeActive() {}
  void applicationWillTerminate() { saveContext(); }

  // remote: the run's web remote, or null (the default) where it has none; it must outlive
  // the delegate's screens. Remembered on, it starts serving.
  void setWebRemote(WebRemote* remote);

  const std::shared_ptr<Window>& window() const { return window_; }
  // The remote control screen made at launch; null before it.
  const std::shared_ptr<cameraViewController>& remote() const { return remote_; }

  const ManagedObjectModel* managedObjectModel() { return store_.managedObjectModel(); }
  PersistentStoreCoordinator* persistentStoreCoordinator() { return store_.persistentStoreCoordinator(); }
  ManagedObjectContext* managedObjectContext() { return store_.managedObjectContext(); }
  void saveContext() { store_.saveContext(); }
  const std::filesystem::path& applicationDocumentsDirectory() const { return store_.applicationDocumentsDirectory(); }

 private:
  Application& application_;
  ObjectStore store_;
  std::shared_ptr<Window> window_;
  std::shared_ptr<cameraViewController> remote_;
  std::shared_ptr<ScreenNavigator> navigator_;
  WebRemote* webRemote_ = nullptr;
};

}  // namespace kiro
