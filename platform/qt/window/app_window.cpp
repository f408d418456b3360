#include "platform/qt/window/app_window.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>

#include "platform/qt/window/window_language.h"

namespace kiro {

namespace {

// Every size of the desktop's icon, for the window managers that draw one on the window.
QIcon windowIcon() {
  QIcon icon;
  const QDir sizes(":/data/icons/hicolor");
  for (const QString& size : sizes.entryList())
    icon.addFile(sizes.filePath(size + "/apps/" KIRO_APP_ID ".png"));
  return icon;
}

QSize pointsOf(const Window& model) {
  return {static_cast<int>(model.frame().size.width), static_cast<int>(model.frame().size.height)};
}

}  // namespace

AppWindow::AppWindow(const Window& model, AlertQueue& alerts, UiEvents& ui, bool simulated)
    : window_(model.rootViewController(), alerts, pointsOf(model)),
      drawing_(ui.subscribe({[this](View& view, ViewProperty property) { window_.modelChanged(view, property); },
                             [this](NavigationChange change, bool animated) { window_.navigationChanged(change, animated); },
                             [this] { window_.modelChanged(); }})) {
  window_.setWindowTitle(shownText(simulated ? Text("KIRO Remote (simulated receivers)") : Text::verbatim("KIRO Remote")));
  // Reading every size of the icon would hold up the first frame.
  window_.afterFirstFrame([] { QGuiApplication::setWindowIcon(windowIcon()); });
  window_.show();
}

}  // namespace kiro
