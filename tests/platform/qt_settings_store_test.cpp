#include "platform/qt_settings_store.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace zelmora {
namespace {

namespace fs = std::filesystem;

// Each test has its own settings file in a temporary folder: the user's own
// store is never opened.
class QtSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = zelmora::testing::FreshTempFolder("qt-settings"); }
  void TearDown() override { fs::remove_all(folder_); }
  std::string File() const { return (folder_ / "settings.ini").string(); }

  fs::path folder_;
};

TEST_F(QtSettingsStoreTest, ValuesSurviveAReopen) {
  {
    QtSettingsStore store(File());
    EXPECT_FALSE(store.Open(false));  // nothing there yet, and not created
    ASSERT_TRUE(store.Open(true));
    store.WriteString("Name Font", "Times New Roman");
    store.WriteString("Point Name", "Точка");
    store.WriteString("FileName1", "&1 /home/u/a, b;c=d.zms");
    store.WriteInt("HelpFormLeft", -450);
    store.WriteBool("EndsOff", false);
    store.WriteBool("HelpShow", true);
    ASSERT_TRUE(store.Flush());
  }
  QtSettingsStore store(File());
  ASSERT_TRUE(store.Open(false));
  EXPECT_TRUE(store.Has("Point Name"));
  EXPECT_FALSE(store.Has("Line Name"));
  EXPECT_EQ(store.ReadString("Name Font"), "Times New Roman");
  EXPECT_EQ(store.ReadString("Point Name"), "Точка");
  EXPECT_EQ(store.ReadString("FileName1"), "&1 /home/u/a, b;c=d.zms");
  EXPECT_EQ(store.ReadInt("HelpFormLeft"), -450);
  EXPECT_EQ(store.ReadBool("EndsOff"), false);
  EXPECT_EQ(store.ReadBool("HelpShow"), true);
  EXPECT_EQ(store.ReadInt("HelpShow"), 1);  // booleans are numbers, as in the registry
  EXPECT_EQ(store.ReadString("Line Name"), std::nullopt);
}

TEST_F(QtSettingsStoreTest, HandEditedGarbageReadsAsMissing) {
  std::ofstream(File()) << "[General]\n"
                           "Feeling=-5\n"
                           "Time%20Pause=fast\n"
                           "Width=3.5\n"
                           "EndsOff=maybe\n"
                           "HelpShow=false\n"
                           "Color=1, 2\n";
  QtSettingsStore store(File());
  ASSERT_TRUE(store.Open(false));
  EXPECT_EQ(store.ReadInt("Feeling"), -5);  // a number: range checks are the caller's
  EXPECT_EQ(store.ReadInt("Time Pause"), std::nullopt);
  EXPECT_EQ(store.ReadInt("Width"), std::nullopt);
  EXPECT_EQ(store.ReadBool("EndsOff"), std::nullopt);
  EXPECT_EQ(store.ReadBool("HelpShow"), false);
  EXPECT_EQ(store.ReadInt("Color"), std::nullopt);
  EXPECT_EQ(store.ReadString("Color"), std::nullopt);
}

TEST_F(QtSettingsStoreTest, FirstStartFillsTheFileAndTheNextStartReadsIt) {
  {
    QtSettingsStore store(File());
    Settings s = LoadSettings(store, "/opt/zelmora/");
    EXPECT_EQ(s, Settings{});
    s.recentFiles[0] = "&1 /home/u/чертёж.zms";
    s.helpFormTop = 123;
    ASSERT_TRUE(SaveSessionSettings(store, s));
    EXPECT_TRUE(TakeFirstRun(store));
  }
  QtSettingsStore store(File());
  const Settings s = LoadSettings(store, "/opt/zelmora/");
  EXPECT_EQ(s.recentFiles[0], "&1 /home/u/чертёж.zms");
  EXPECT_EQ(s.helpFormTop, 123);
  EXPECT_EQ(s.timePause, 300);
  EXPECT_EQ(store.ReadString("Path"), "/opt/zelmora/");
  EXPECT_FALSE(TakeFirstRun(store));
}

}  // namespace
}  // namespace zelmora
