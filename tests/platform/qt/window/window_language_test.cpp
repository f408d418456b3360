#include "platform/qt/window/window_language.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace kiro {
namespace {

std::string shown(const Text& text) { return shownText(text).toStdString(); }

// In German: whole texts, texts made of parts (each part put in German on its own), white
// space and pictures kept where they were, names left as they are; English again once the
// catalog is gone.
TEST(WindowLanguageTest, TheWindowSpeaksTheCatalogsLanguageWhileItIsLoaded) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const Text missed("%1, %2 missed", Text("%1, next in %2", Text("Shot %1 of %2", 3, 10), std::string("2.5 s")), 1);
  {
    const WindowLanguage language(KIRO_BUILD_DIR);
    EXPECT_EQ(shown(Text("connected")), "verbunden");
    EXPECT_EQ(shown(missed), "Aufnahme 3 von 10, nächste in 2.5 s, 1 verpasst");
    EXPECT_EQ(shown(Text("Stopped after %1 shots: %2", 4, Text("the system went to sleep"))),
              "Beendet nach 4 Aufnahmen: das System ging in den Ruhezustand");
    EXPECT_EQ(shown(Text("%1, connected", std::string("connected"))), "connected, verbunden");
    EXPECT_EQ(shown(Text("    Device")), "    Gerät");
    EXPECT_EQ(shownRuns("1.Click \uFFFC  button to search your KIRO.\nHow to use?").toStdString(),
              "1. Tippen Sie auf \uFFFC  und Ihr KIRO wird gesucht.\nWie wird sie benutzt?");
  }
  EXPECT_EQ(shown(missed), missed.english());
  QLocale::setDefault(QLocale::c());
}

}  // namespace
}  // namespace kiro
