#include "platform/qt/window/window_language.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <vector>

namespace kiro {

namespace {

constexpr const char* kContext = "Window";

// Every text the window shows, for the catalogs. A %1 stands for a part told apart and put
// in the user's language on its own (a number, a name, a reason); the more particular of
// two patterns that could both match comes first.
constexpr const char* kTexts[] = {
    QT_TRANSLATE_NOOP("Window", "KIRO Remote (simulated receivers)"),
    // The remote screen and its status line.
    QT_TRANSLATE_NOOP("Window", "connected"),
    QT_TRANSLATE_NOOP("Window", "connecting"),
    QT_TRANSLATE_NOOP("Window", "disconnected"),
    QT_TRANSLATE_NOOP("Window", "Not accepting commands"),
    QT_TRANSLATE_NOOP("Window", "Timer"),
    QT_TRANSLATE_NOOP("Window", "Stop"),
    QT_TRANSLATE_NOOP("Window", "Focus"),
    QT_TRANSLATE_NOOP("Window", "Shutter release"),
    QT_TRANSLATE_NOOP("Window", "Green lamp"),
    QT_TRANSLATE_NOOP("Window", "Blue lamp"),
    QT_TRANSLATE_NOOP("Window", "Red lamp"),
    QT_TRANSLATE_NOOP("Window", "Search for receivers"),
    QT_TRANSLATE_NOOP("Window", "Help"),
    QT_TRANSLATE_NOOP("Window", "Back"),
    QT_TRANSLATE_NOOP("Window", "Timed shooting"),
    QT_TRANSLATE_NOOP("Window", "Stop timed shooting"),
    QT_TRANSLATE_NOOP("Window", "%1, %2 missed"),
    QT_TRANSLATE_NOOP("Window", "%1, %2 short"),
    QT_TRANSLATE_NOOP("Window", "%1, next in %2"),
    QT_TRANSLATE_NOOP("Window", "Shot %1 of %2"),
    QT_TRANSLATE_NOOP("Window", "Shot %1"),
    QT_TRANSLATE_NOOP("Window", "Done: 1 shot"),
    QT_TRANSLATE_NOOP("Window", "Done: %1 shots"),
    QT_TRANSLATE_NOOP("Window", "Stopped after 1 shot: %1"),
    QT_TRANSLATE_NOOP("Window", "Stopped after %1 shots: %2"),
    QT_TRANSLATE_NOOP("Window", "Stopped after 1 shot"),
    QT_TRANSLATE_NOOP("Window", "Stopped after %1 shots"),
    QT_TRANSLATE_NOOP("Window", "A series is running: Stop first"),
    QT_TRANSLATE_NOOP("Window", "the system went to sleep"),
    QT_TRANSLATE_NOOP("Window", "the app is ending"),
    // The device list.
    QT_TRANSLATE_NOOP("Window", "Bluetooth Device"),
    QT_TRANSLATE_NOOP("Window", "Device"),
    QT_TRANSLATE_NOOP("Window", "Status"),
    QT_TRANSLATE_NOOP("Window", "Receivers"),
    QT_TRANSLATE_NOOP("Window", "Refresh"),
    QT_TRANSLATE_NOOP("Window", "%1, connected"),
    QT_TRANSLATE_NOOP("Window", "%1, connecting"),
    QT_TRANSLATE_NOOP("Window", "%1, disconnected"),
    QT_TRANSLATE_NOOP("Window", "Can not connect"),
    QT_TRANSLATE_NOOP("Window", "A device has connected"),
    QT_TRANSLATE_NOOP("Window", "YES"),
    // About.
    QT_TRANSLATE_NOOP("Window", "About"),
    QT_TRANSLATE_NOOP("Window", "Version %1"),
    QT_TRANSLATE_NOOP("Window", "Thank you for using the KIRO-Remoter APP"),
    QT_TRANSLATE_NOOP("Window", "The APP is a wireless remoter.It can communicate with the KIRO receiver via the "
                                "bluetooth,and then to realize the focus and shutter release on the camera."),
    QT_TRANSLATE_NOOP("Window", "How to use?"),
    QT_TRANSLATE_NOOP("Window", "Before using the APP, ensure that the Bluetooth of your KIRO and your cellphone are "
                                "on and the KIRO has been connected to the camera properly."),
    QT_TRANSLATE_NOOP("Window", "1.Click"),
    QT_TRANSLATE_NOOP("Window", "button to search your KIRO."),
    QT_TRANSLATE_NOOP("Window", "2.While your KIRO is searched and listed, click Bluetooth button and the APP will "
                                "connect with your KIRO. If the connection is successful, the Bluetooth button will "
                                "light up."),
    QT_TRANSLATE_NOOP("Window", "3.To back to main menu, click ' < '."),
    QT_TRANSLATE_NOOP("Window", "4.To do the focus, press F button. A green indicator will light up to indicate that "
                                "the KIRO has got the command."),
    QT_TRANSLATE_NOOP("Window", "5.To do the shutter release, press R button. A red indicator and a blue indicator "
                                "will light up to indicate that the KIRO has got the command and the camera has "
                                "completed the shutter release successfully."),
    QT_TRANSLATE_NOOP("Window", "Copyright © 2026 KIRO Remote developers. All rights reserved."),
    // Timed shooting and its presets.
    QT_TRANSLATE_NOOP("Window", "Self-timer"),
    QT_TRANSLATE_NOOP("Window", "Bulb"),
    QT_TRANSLATE_NOOP("Window", "Intervals"),
    QT_TRANSLATE_NOOP("Window", "Delay"),
    QT_TRANSLATE_NOOP("Window", "Start at"),
    QT_TRANSLATE_NOOP("Window", "Interval"),
    QT_TRANSLATE_NOOP("Window", "Shots"),
    QT_TRANSLATE_NOOP("Window", "Start"),
    QT_TRANSLATE_NOOP("Window", "Presets"),
    QT_TRANSLATE_NOOP("Window", "Save"),
    QT_TRANSLATE_NOOP("Window", "Delete"),
    QT_TRANSLATE_NOOP("Window", "none"),
    QT_TRANSLATE_NOOP("Window", "press"),
    QT_TRANSLATE_NOOP("Window", "forever"),
    QT_TRANSLATE_NOOP("Window", "Countdown sound: on"),
    QT_TRANSLATE_NOOP("Window", "Countdown sound: off"),
    QT_TRANSLATE_NOOP("Window", "Delay or start time"),
    QT_TRANSLATE_NOOP("Window", "%1, less"),
    QT_TRANSLATE_NOOP("Window", "%1, more"),
    QT_TRANSLATE_NOOP("Window", "Delay: %1"),
    QT_TRANSLATE_NOOP("Window", "Start at: %1"),
    QT_TRANSLATE_NOOP("Window", "Bulb: %1"),
    QT_TRANSLATE_NOOP("Window", "Interval: %1"),
    QT_TRANSLATE_NOOP("Window", "Shots: %1"),
    QT_TRANSLATE_NOOP("Window", "First shot %1, ends about %2"),
    QT_TRANSLATE_NOOP("Window", "First shot %1, until stopped"),
    QT_TRANSLATE_NOOP("Window", "Cannot use that value"),
    QT_TRANSLATE_NOOP("Window", "Cannot start"),
    QT_TRANSLATE_NOOP("Window", "Cannot save"),
    QT_TRANSLATE_NOOP("Window", "Cannot use it"),
    QT_TRANSLATE_NOOP("Window", "OK"),
    QT_TRANSLATE_NOOP("Window", "the shots are 1 to %1, or forever: not %2"),
    QT_TRANSLATE_NOOP("Window", "a bulb is from %1 to %2: not %3"),
    QT_TRANSLATE_NOOP("Window", "a delay is from %1 to %2: not %3"),
    QT_TRANSLATE_NOOP("Window", "an interval is from %1 to %2: not %3"),
    QT_TRANSLATE_NOOP("Window", "the interval must be more than zero"),
    QT_TRANSLATE_NOOP("Window", "the number of shots must be more than zero"),
    QT_TRANSLATE_NOOP("Window", "the delay must be more than zero"),
    QT_TRANSLATE_NOOP("Window", "the bulb time must be more than zero"),
    QT_TRANSLATE_NOOP("Window", "a bulb exposure needs its length"),
    QT_TRANSLATE_NOOP("Window", "the self-timer needs a delay or a start time"),
    QT_TRANSLATE_NOOP("Window", "a plan starts after a delay or at a time, not both"),
    QT_TRANSLATE_NOOP("Window", "the plan would run %1, past 7 days"),
    QT_TRANSLATE_NOOP("Window", "a preset needs a name"),
    QT_TRANSLATE_NOOP("Window", "no preset named %1"),
    QT_TRANSLATE_NOOP("Window", "a preset named %1 is there already"),
    QT_TRANSLATE_NOOP("Window", "no receiver is connected"),
    // The plan in full, the running series, and the presets' own lines.
    QT_TRANSLATE_NOOP("Window", "Ramp to"),
    QT_TRANSLATE_NOOP("Window", "Bracket"),
    QT_TRANSLATE_NOOP("Window", "Ramp to: %1"),
    QT_TRANSLATE_NOOP("Window", "Bracket: %1"),
    QT_TRANSLATE_NOOP("Window", "a ramp's last bulb is from %1 to %2: not %3"),
    QT_TRANSLATE_NOOP("Window", "a bracket is none, or 3 or 5 shots up to 3 stops apart, such as 3x1/3: not %1"),
    QT_TRANSLATE_NOOP("Window", "a ramp needs the bulb it starts from"),
    QT_TRANSLATE_NOOP("Window", "a ramp needs a number of shots, 2 or more"),
    QT_TRANSLATE_NOOP("Window", "a bracket needs a bulb to go around"),
    QT_TRANSLATE_NOOP("Window", "the interval (%1) is shorter than a shot (%2) and its release notice (%3)"),
    QT_TRANSLATE_NOOP("Window", "the interval (%1) is shorter than the longest bulb (%2) and its release notice (%3)"),
    QT_TRANSLATE_NOOP("Window", "the interval (%1) is shorter than a bracket of %2 shots and their release notices (%3)"),
    QT_TRANSLATE_NOOP("Window", "%1 tomorrow"),
    QT_TRANSLATE_NOOP("Window", "%1 in %2 days"),
    QT_TRANSLATE_NOOP("Window", "No receiver chosen yet"),
    QT_TRANSLATE_NOOP("Window", "Not connected: shots are missed until it is"),
    QT_TRANSLATE_NOOP("Window", "Until stopped"),
    QT_TRANSLATE_NOOP("Window", "Ends about %1, %2 left"),
    QT_TRANSLATE_NOOP("Window", "Name: %1"),
    QT_TRANSLATE_NOOP("Window", "Saved as %1"),
    QT_TRANSLATE_NOOP("Window", "Deleted %1"),
    QT_TRANSLATE_NOOP("Window", "Back: %1"),
    QT_TRANSLATE_NOOP("Window", "Undo"),
    QT_TRANSLATE_NOOP("Window", "Built-in presets"),
    QT_TRANSLATE_NOOP("Window", "The built-in presets are back"),
    QT_TRANSLATE_NOOP("Window", "Cannot undo"),
};

// A text with parts: what it matches, and which %N each captured part fills.
struct Pattern {
  const char* source;
  QRegularExpression match;
  std::vector<int> numbers;
};

std::vector<Pattern> makePatterns() {
  static const QRegularExpression marker(QStringLiteral("%(\\d)"));
  std::vector<Pattern> patterns;
  for (const char* text : kTexts) {
    const QString source = QString::fromUtf8(text);
    Pattern pattern{text, {}, {}};
    QString expression = QStringLiteral("^");
    qsizetype at = 0;
    for (auto found = marker.globalMatch(source); found.hasNext();) {
      const auto part = found.next();
      expression += QRegularExpression::escape(source.mid(at, part.capturedStart() - at)) + QStringLiteral("(.+)");
      pattern.numbers.push_back(part.captured(1).toInt());
      at = part.capturedEnd();
    }
    if (pattern.numbers.empty()) continue;
    pattern.match.setPattern(expression + QRegularExpression::escape(source.mid(at)) + QStringLiteral("$"));
    patterns.push_back(std::move(pattern));
  }
  return patterns;
}

bool translating = false;
// Drawn many times a second: a text is looked up once. Counting texts change every tenth of
// a second, so the memory is let go now and then.
QHash<QString, QString> known;

QString translatedCore(const QString& text);

// translated with each %N replaced by parts[N - 1].
QString filled(const QString& translated, const std::vector<QString>& parts) {
  QString out;
  for (qsizetype i = 0; i < translated.size(); ++i) {
    const int number = i + 1 < translated.size() ? translated[i + 1].digitValue() : -1;
    if (translated[i] == u'%' && number >= 1 && static_cast<std::size_t>(number) <= parts.size()) {
      out += parts[static_cast<std::size_t>(number) - 1];
      ++i;
    } else {
      out += translated[i];
    }
  }
  return out;
}

QString fromPattern(const QString& text) {
  static const std::vector<Pattern> patterns = makePatterns();
  for (const auto& pattern : patterns) {
    const auto found = pattern.match.match(text);
    if (!found.hasMatch()) continue;
    const QString translated = QCoreApplication::translate(kContext, pattern.source);
    if (translated == QString::fromUtf8(pattern.source)) return text;
    std::vector<QString> parts(pattern.numbers.size());
    for (std::size_t i = 0; i < pattern.numbers.size(); ++i) {
      const auto number = static_cast<std::size_t>(pattern.numbers[i]);
      if (number >= 1 && number <= parts.size())
        parts[number - 1] = translatedCore(found.captured(static_cast<int>(i) + 1));
    }
    return filled(translated, parts);
  }
  return text;
}

// text without the white space around it looked up, the white space kept.
QString translatedCore(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin].isSpace()) ++begin;
  while (end > begin && text[end - 1].isSpace()) --end;
  if (begin == end) return text;
  const QString core = text.mid(begin, end - begin);
  const QByteArray utf8 = core.toUtf8();
  QString translated = QCoreApplication::translate(kContext, utf8.constData());
  if (translated == core) translated = fromPattern(core);
  return text.left(begin) + translated + text.mid(end);
}

}  // namespace

WindowLanguage::WindowLanguage(const std::filesystem::path& folder) {
  if (own_.load(QLocale(), QStringLiteral("kiro-remote"), QStringLiteral("_"),
                QString::fromStdString((folder / "translations").string())))
    translating = QCoreApplication::installTranslator(&own_);
  if (qt_.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qt_);
}

WindowLanguage::~WindowLanguage() {
  QCoreApplication::removeTranslator(&own_);
  QCoreApplication::removeTranslator(&qt_);
  translating = false;
  known.clear();
}

QString shownText(std::string_view english) {
  const QString text = QString::fromUtf8(english.data(), static_cast<qsizetype>(english.size()));
  if (!translating) return text;
  if (const auto found = known.constFind(text); found != known.cend()) return *found;
  if (known.size() > 512) known.clear();
  // Each line, and each run between two pictures set into a text, is a text of its own.
  QString shown;
  qsizetype start = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != u'\n' && text[i] != QChar(0xFFFC)) continue;
    shown += translatedCore(text.mid(start, i - start));
    if (i < text.size()) shown += text[i];
    start = i + 1;
  }
  return *known.insert(text, shown);
}

}  // namespace kiro
