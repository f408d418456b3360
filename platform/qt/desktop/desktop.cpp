#include "platform/qt/desktop/desktop.h"

#include <QGuiApplication>

#include "platform/qt/desktop/session_presence.h"

namespace kiro {

Desktop::Desktop(LaunchedApp& app, const SettingsUserDefaults& defaults, QWidget* window, SessionReports& reports)
    : application_(app.application()),
      ending_(app.delegate(), app.runLoop(), defaults, app.notices()),
      control_(app.delegate(), app.runLoop()),
      awake_([&delegate = app.delegate()] { return shotUnderWay(*delegate.remote()); },
             [&delegate = app.delegate()] { delegate.remote()->letGo(Text("the system went to sleep")); },
             window != nullptr, app.notices()) {
  awake_.setIdleTimerDisabled(application_.isIdleTimerDisabled());
  application_.setIdleTimerObserver([this](bool disabled) { awake_.setIdleTimerDisabled(disabled); });
  if (window) raise_ = [window] {
    window->show();
    window->raise();
    window->activateWindow();
  };
  controlObject_ =
      exportControl(control_, app.notices(), {raise_, [&reports](const std::string& method, const std::string& caller) {
                      reports.remote(method, caller);
                    }});
  announcing_ = app.ui().subscribe({[this](View&, ViewProperty) { refresh(); },
                                    [this](NavigationChange, bool) { refresh(); }, [this] { refresh(); }});
  timerAnnouncing_ = app.delegate().remote()->onTimedShooting([this](const ShootingStatus&) { refresh(); });
  if (window) {
    // Closing the window lets the shutter go like any other ending.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, &connections_, [this] { ending_.begin(); });
  }
  // Quit by other means (the session ending), the app still saves what it holds.
  QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &connections_,
                   [this, &delegate = app.delegate()] {
                     if (!ending_.begun()) delegate.applicationWillTerminate();
                   });
}

Desktop::~Desktop() { application_.setIdleTimerObserver(nullptr); }

void Desktop::refresh() {
  if (controlObject_) controlObject_->refresh();
  awake_.refresh();
  changes_.send();
}

}  // namespace kiro
