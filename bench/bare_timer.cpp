// The baseline for bench/app_bench.py: the least a Qt program can do to tick every 25 ms
// and print a line a tick, under the same load as the app it is compared with. With
// --answer-ms it also wakes that long after each tick and does nothing: the floor for a
// frame that waits on the receiver's answer, as the app's does. A fraction alternates the
// whole milliseconds either side, so --answer-ms 12.5 wakes it every 12.5 ms on average.
#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

void say(const char* what, qint64 tick) {
  std::printf("{\"event\":\"%s\",\"tick\":%lld}\n", what, static_cast<long long>(tick));
  // A pipe is block-buffered: without the flush the reader would stamp ticks in bursts.
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  bool window = false;
  double seconds = 0;
  double answerMs = -1;
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (arg == "--window") {
      window = true;
    } else if (arg == "--seconds" && i + 1 < argc) {
      seconds = QString::fromLocal8Bit(argv[++i]).toDouble();
    } else if (arg == "--answer-ms" && i + 1 < argc) {
      answerMs = QString::fromLocal8Bit(argv[++i]).toDouble();
    } else {
      std::fprintf(stderr, "usage: kiro_bare_timer [--window] [--seconds S] [--answer-ms MS]\n");
      return 2;
    }
  }

  // The application object must exist before any widget, so it is chosen before either.
  std::unique_ptr<QCoreApplication> app;
  if (window) {
    app = std::make_unique<QApplication>(argc, argv);
  } else {
    app = std::make_unique<QCoreApplication>(argc, argv);
  }

  std::unique_ptr<QWidget> widget;
  if (window) {
    widget = std::make_unique<QWidget>();
    widget->resize(375, 667);
    widget->show();
  }

  QTimer::singleShot(0, [] { say("start", 0); });

  qint64 ticks = 0;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setInterval(25);
  QObject::connect(&timer, &QTimer::timeout, [&ticks, answerMs] {
    say("tick", ++ticks);
    if (answerMs < 0) return;
    const double wait = ticks % 2 == 0 ? std::floor(answerMs) : std::ceil(answerMs);
    QTimer::singleShot(static_cast<int>(wait), Qt::PreciseTimer, [] {});
  });
  timer.start();

  if (seconds > 0) {
    QTimer::singleShot(static_cast<int>(seconds * 1000), app.get(), &QCoreApplication::quit);
  }
  return app->exec();
}
