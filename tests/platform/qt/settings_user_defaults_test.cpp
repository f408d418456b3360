#include "platform/qt/settings_user_defaults.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace kiro {
namespace {

class SettingsUserDefaultsTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString path() const { return dir.filePath("settings.ini"); }
};

TEST_F(SettingsUserDefaultsTest, AWriteIsOnDiskBeforeTheNextInstructionAndSurvivesAReopen) {
  {
    SettingsUserDefaults defaults(path());
    defaults.set("iphone", StringDictionary{{"name", "Kiro-7"}, {"uuid", "6E400001-B5A3-F393-E0A9-E50E24DCCA9E"}});
    defaults.set("jumpFlag", std::string("0"));
    // In the file at once: nothing waits for a clean shutdown.
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("jumpFlag=0"));
  }
  SettingsUserDefaults reopened(path());
  EXPECT_EQ(reopened.string("jumpFlag"), "0");
  EXPECT_EQ(reopened.dictionary("iphone")->at("uuid"), "6E400001-B5A3-F393-E0A9-E50E24DCCA9E");
  EXPECT_EQ(reopened.problem(), std::nullopt);
}

TEST_F(SettingsUserDefaultsTest, AFileThatCannotBeWrittenIsSaidAndWhatIsSetStillReads) {
  SettingsUserDefaults defaults("/dev/null/settings.ini");
  EXPECT_NE(defaults.problem(), std::nullopt);
  // Read once before: what a write replaces is not read again from before it.
  EXPECT_EQ(defaults.string("jumpFlag"), std::nullopt);
  defaults.set("jumpFlag", std::string("0"));
  EXPECT_EQ(defaults.string("jumpFlag"), "0");
}

TEST_F(SettingsUserDefaultsTest, ValuesOfTheWrongShapeReadAsAbsent) {
  QFile file(path());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[General]\niphone=just text\nnumber=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n");
  file.close();
  SettingsUserDefaults defaults(path());
  EXPECT_EQ(defaults.dictionary("iphone"), std::nullopt);
  EXPECT_EQ(defaults.string("iphone"), "just text");
  EXPECT_EQ(defaults.object("number"), std::nullopt);
  EXPECT_EQ(defaults.object("missing"), std::nullopt);
}

TEST_F(SettingsUserDefaultsTest, OtherKeysAreKeptWhenOneIsWritten) {
  QFile file(path());
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[General]\nsomethingElse=kept\n");
  file.close();
  SettingsUserDefaults defaults(path());
  defaults.set("jumpFlag", std::string("0"));
  SettingsUserDefaults reopened(path());
  EXPECT_EQ(reopened.string("somethingElse"), "kept");
}

}  // namespace
}  // namespace kiro
