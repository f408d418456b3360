#pragma once

#include <QString>
#include <QTranslator>
#include <filesystem>
#include <string_view>

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

// english as the window shows it, line by line and run by run between the pictures (U+FFFC)
// set into it: the catalog's text, whole or made of the parts of a known pattern ("Shot 3 of
// 10"), or english itself where the catalog has none.
QString shownText(std::string_view english);

}  // namespace kiro
