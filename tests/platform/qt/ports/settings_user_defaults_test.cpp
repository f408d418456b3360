#include "platform/qt/ports/settings_user_defaults.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace kiro {
namespace {

class SettingsUserDefaultsTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  RecordingNotices notices;
  QString path() const { return dir.filePath("settings.ini"); }
  void writeFile(const QString& file, const QByteArray& bytes) {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
  }
};

TEST_F(SettingsUserDefaultsTest, AWriteIsOnDiskBeforeTheNextInstructionAndSurvivesAReopen) {
  {
    SettingsUserDefaults defaults(notices, path());
    defaults.set("iphone", StringDictionary{{"name", "Kiro-7"}, {"uuid", "6E400001-B5A3-F393-E0A9-E50E24DCCA9E"}});
    defaults.set("jumpFlag", std::string("0"));
    // In the file at once: nothing waits for a clean shutdown.
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("jumpFlag=0"));
    // It may hold a secret: no one else reads it.
    EXPECT_EQ(file.permissions() & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  }
  SettingsUserDefaults reopened(notices, path());
  EXPECT_EQ(reopened.string("jumpFlag"), "0");
  EXPECT_EQ(reopened.dictionary("iphone")->at("uuid"), "6E400001-B5A3-F393-E0A9-E50E24DCCA9E");
  EXPECT_TRUE(reopened.keepsWrites().ok());
}

TEST_F(SettingsUserDefaultsTest, AFileThatCannotBeWrittenIsSaidAndWhatIsSetStillReads) {
  SettingsUserDefaults defaults(notices, "/dev/null/settings.ini");
  EXPECT_FALSE(defaults.keepsWrites().ok());
  // Read once before: what a write replaces is not read again from before it.
  EXPECT_EQ(defaults.string("jumpFlag"), std::nullopt);
  defaults.set("jumpFlag", std::string("0"));
  EXPECT_EQ(defaults.string("jumpFlag"), "0");
  EXPECT_EQ(notices.said, std::vector<std::string>{"a setting was not saved: /dev/null/settings.ini cannot be written"});
}

TEST_F(SettingsUserDefaultsTest, ValuesOfTheWrongShapeReadAsAbsent) {
  writeFile(path(), "[General]\niphone=just text\nnumber=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n");
  SettingsUserDefaults defaults(notices, path());
  EXPECT_EQ(defaults.dictionary("iphone"), std::nullopt);
  EXPECT_EQ(defaults.string("iphone"), "just text");
  EXPECT_EQ(defaults.find("number"), nullptr);
  EXPECT_EQ(defaults.find("missing"), nullptr);
}

TEST_F(SettingsUserDefaultsTest, OtherKeysAreKeptWhenOneIsWritten) {
  writeFile(path(), "[General]\nsomethingElse=kept\n");
  SettingsUserDefaults defaults(notices, path());
  defaults.set("jumpFlag", std::string("0"));
  SettingsUserDefaults reopened(notices, path());
  EXPECT_EQ(reopened.string("somethingElse"), "kept");
}

// A write that fails is said; the next one that succeeds is silent and saves both.
TEST_F(SettingsUserDefaultsTest, AWriteSaysOnlyItsOwnFailure) {
  const QString folder = dir.filePath("folder");
  writeFile(folder, "a file where the folder goes");  // no write can make the folder, not even root's
  SettingsUserDefaults defaults(notices, folder + "/settings.ini");
  defaults.set("jumpFlag", std::string("0"));
  ASSERT_EQ(notices.said.size(), 1u);
  EXPECT_TRUE(notices.said[0].starts_with("a setting was not saved: ")) << notices.said[0];
  ASSERT_TRUE(QFile::remove(folder) && QDir(dir.path()).mkdir("folder"));
  defaults.set("other", std::string("1"));
  EXPECT_EQ(notices.said.size(), 1u);
  const SettingsUserDefaults reopened(notices, folder + "/settings.ini");
  EXPECT_EQ(reopened.string("jumpFlag"), "0");
  EXPECT_EQ(reopened.string("other"), "1");
}

TEST_F(SettingsUserDefaultsTest, AFileThatStoppedBeingOursMeanwhileIsKeptAndTheRefusalSaid) {
  SettingsUserDefaults defaults(notices, path());
  defaults.set("jumpFlag", std::string("0"));
  const QByteArray prose = "Things to pack\n\ncamera, remote\n";
  writeFile(path(), prose);
  defaults.set("jumpFlag", std::string("1"));
  QFile file(path());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), prose);
  EXPECT_EQ(notices.said, std::vector<std::string>{"a setting was not saved: " + path().toStdString() +
                                                   " is not a settings file of this app (line 1 is not a setting: "
                                                   "\"Things to pack\"); it is left as it is"});
  EXPECT_EQ(defaults.string("jumpFlag"), "1");
}

}  // namespace
}  // namespace kiro
