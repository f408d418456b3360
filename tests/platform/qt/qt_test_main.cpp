#include <gtest/gtest.h>

#include <QApplication>

// The adapters need a live application object, as in the app itself.
// Offscreen unless told otherwise, so no display is needed.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int status = RUN_ALL_TESTS();
  // Qt Bluetooth objects handed to deleteLater() at the end of a test would otherwise
  // outlive the process's last event and read as leaks.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return status;
}
