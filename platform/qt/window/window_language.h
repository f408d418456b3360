#pragma once

#include <QString>
#include <QTranslator>
#include <filesystem>
#include <string_view>

#include "base/text.h"

namespace kiro {

// The window speaks the user's language; the model, the events, the log and the settings
// keep English, so scripts and logs read the same in every locale. A text is put in the
// user's language only as it is drawn or told to a screen reader.

// The app's catalog, from folder's translations/, and Qt's own for the user's locale, in use
// while it lives; English where there are none.
class WindowLanguage {
 public:
  explicit WindowLanguage(const std::filesystem::path& folder);
  ~WindowLanguage();
  WindowLanguage(const WindowLanguage&) = delete;
  WindowLanguage& operator=(const WindowLanguage&) = delete;

 private:
  QTranslator own_;
  QTranslator qt_;
};

// text as the window shows it: the catalog's words for its id with its parts filled in, each
// shown in turn; English where the catalog has none.
QString shownText(const Text& text);

// A text document's english as the window shows it: each run between two line feeds or
// pictures (U+FFFC) set into it is an id of its own.
QString shownRuns(std::string_view english);

}  // namespace kiro
