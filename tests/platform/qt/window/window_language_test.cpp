#include "platform/qt/window/window_language.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace kiro {
namespace {

std::string shown(std::string_view english) { return shownText(english).toStdString(); }

// In German: whole texts, texts made of parts (each part put in German on its own), white
// space and pictures kept where they were, names left as they are; English again once the
// catalog is gone.
TEST(WindowLanguageTest, TheWindowSpeaksTheCatalogsLanguageWhileItIsLoaded) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  {
    const WindowLanguage language(KIRO_BUILD_DIR);
    EXPECT_EQ(shown("connected"), "verbunden");
    EXPECT_EQ(shown("Shot 3 of 10, next in 2.5 s, 1 missed"), "Aufnahme 3 von 10, nächste in 2.5 s, 1 verpasst");
    EXPECT_EQ(shown("Stopped after 4 shots: the system went to sleep"),
              "Beendet nach 4 Aufnahmen: das System ging in den Ruhezustand");
    EXPECT_EQ(shown("Stopped after 1 shot"), "Beendet nach 1 Aufnahme");
    EXPECT_EQ(shown("    Device"), "    Gerät");
    EXPECT_EQ(shown("1.Click \uFFFC  button to search your KIRO.\nHow to use?"),
              "1. Tippen Sie auf \uFFFC  und Ihr KIRO wird gesucht.\nWie wird sie benutzt?");
    EXPECT_EQ(shown("Time-lapse: 1 s every 5 s, 300 shots"), "Time-lapse: 1 s every 5 s, 300 shots");
  }
  EXPECT_EQ(shown("connected"), "connected");
  QLocale::setDefault(QLocale::c());
}

}  // namespace
}  // namespace kiro
