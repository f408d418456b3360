#include "platform/qt/window/window_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace kiro {

namespace {

constexpr const char* kContext = "Window";

bool translating = false;

// The catalog's words for id, the white space around it kept as it stands.
QString looked(std::string_view id) {
  const QString text = QString::fromUtf8(id.data(), static_cast<qsizetype>(id.size()));
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text[begin].isSpace()) ++begin;
  while (end > begin && text[end - 1].isSpace()) --end;
  if (!translating || begin == end) return text;
  const QByteArray core = text.mid(begin, end - begin).toUtf8();
  return text.left(begin) + QCoreApplication::translate(kContext, core.constData()) + text.mid(end);
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
}

QString shownText(const Text& text) {
  if (!translating || text.id().empty()) return QString::fromStdString(text.english());
  const QString pattern = looked(text.id());
  const auto& parts = text.parts();
  QString out;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const int number = i + 1 < pattern.size() ? pattern[i + 1].digitValue() : -1;
    if (pattern[i] == u'%' && number >= 1 && static_cast<std::size_t>(number) <= parts.size()) {
      out += shownText(parts[static_cast<std::size_t>(number) - 1]);
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

QString shownRuns(std::string_view english) {
  const QString text = QString::fromUtf8(english.data(), static_cast<qsizetype>(english.size()));
  if (!translating) return text;
  QString shown;
  qsizetype start = 0;
  for (qsizetype i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != u'\n' && text[i] != QChar(0xFFFC)) continue;
    shown += looked(text.mid(start, i - start).toStdString());
    if (i < text.size()) shown += text[i];
    start = i + 1;
  }
  return shown;
}

}  // namespace kiro
