#include "document/settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/memory_settings_store.h"

namespace zelmora {
namespace {

using Value = MemorySettingsStore::Value;

TEST(LoadSettings, FirstStartWritesEveryDefault) {
  MemorySettingsStore store;
  const Settings s = LoadSettings(store, "/opt/zelmora/");
  EXPECT_EQ(s, Settings{});
  // Integers and booleans are stored as numbers, as the registry holds them.
  const std::map<std::string, Value> expected = {
      {"Name Font", "Times New Roman"},
      {"Feeling", 5},
      {"Time Pause", 300},
      {"Point Name", "A"},
      {"Line Name", "b"},
      {"Circle Name", "S"},
      {"PointVisible", 1},
      {"LineVisible", 1},
      {"CircleVisible", 1},
      {"EndsOff", 1},
      {"HelpShow", 1},
      {"HelpFormTop", 40},
      {"HelpFormLeft", 450},
      {"Color", 0},
      {"Width", 1},
      {"Path", "/opt/zelmora/"},
      {"FileName1", ""},
      {"FileName2", ""},
      {"FileName3", ""},
      {"FileName4", ""},
      {"ObjectPanel", 1},
      {"PicturePanel", 0},
      {"ZoomStep", 5},
      {"MeasureDpi", 96},
      {"Smoothing", 0},
  };
  EXPECT_EQ(store.values, expected);  // and no "FirstRun": that is the about box's
  EXPECT_EQ(s.zoomStep, 0.05);
}

TEST(LoadSettings, StoredValuesWinAndStayAsTheyAre) {
  MemorySettingsStore store;
  store.values = {{"Name Font", "Arial"},
                  {"Feeling", 9},
                  {"Time Pause", 500},
                  {"Point Name", "Т"},
                  {"EndsOff", 0},
                  {"HelpFormLeft", -20},
                  {"FileName2", "&2 /d/x.zms"},
                  {"PicturePanel", 1},
                  {"ZoomStep", 8},
                  {"Path", "/old/"}};
  const Settings s = LoadSettings(store, "/new/");
  EXPECT_EQ(s.nameFont, "Arial");
  EXPECT_EQ(s.feeling, 9);
  EXPECT_EQ(s.timePause, 500);
  EXPECT_EQ(s.pointName, "Т");
  EXPECT_FALSE(s.endsOff);
  EXPECT_EQ(s.helpFormLeft, -20);
  EXPECT_EQ(s.recentFiles[1], "&2 /d/x.zms");
  EXPECT_TRUE(s.picturePanel);
  EXPECT_DOUBLE_EQ(s.zoomStep, 0.08);
  EXPECT_EQ(store.values["Feeling"], Value(9));
  EXPECT_EQ(store.values["ZoomStep"], Value(8));
  EXPECT_EQ(store.values["Path"], Value("/new/"));
}

struct GarbageCase {
  const char* name;
  const char* key;
  Value stored;
  std::function<double(const Settings&)> field;
  double expected;
};

class StoredGarbage : public testing::TestWithParam<GarbageCase> {};

TEST_P(StoredGarbage, IsClampedOrReplacedByTheDefault) {
  const GarbageCase& c = GetParam();
  MemorySettingsStore store;
  store.values[c.key] = c.stored;
  EXPECT_DOUBLE_EQ(c.field(LoadSettings(store, "/p/")), c.expected);
}

// What each case looks at, as a number.
const auto Feeling = [](const Settings& s) -> double { return s.feeling; };
const auto TimePause = [](const Settings& s) -> double { return s.timePause; };
const auto Width = [](const Settings& s) -> double { return s.width; };
const auto Color = [](const Settings& s) -> double { return s.color; };
const auto Zoom = [](const Settings& s) -> double { return s.zoomStep; };
const auto EndsOff = [](const Settings& s) -> double { return s.endsOff; };
const auto PicturePanel = [](const Settings& s) -> double { return s.picturePanel; };
const auto HelpTop = [](const Settings& s) -> double { return s.helpFormTop; };
const auto Dpi = [](const Settings& s) -> double { return s.measureDpi; };

INSTANTIATE_TEST_SUITE_P(
    Values, StoredGarbage,
    testing::Values(GarbageCase{"TimePauseZero", "Time Pause", 0, TimePause, 50},
                    GarbageCase{"FeelingNegative", "Feeling", -5, Feeling, 1},
                    GarbageCase{"FeelingText", "Feeling", "9", Feeling, 5},
                    GarbageCase{"WidthBeyondGlyphs", "Width", 12, Width, 7},
                    GarbageCase{"ColorOfSelection", "Color", 14, Color, 13},
                    GarbageCase{"ZoomZero", "ZoomStep", 0, Zoom, 0.01},
                    GarbageCase{"ZoomText", "ZoomStep", "x", Zoom, 0.05},
                    GarbageCase{"BoolAsText", "EndsOff", "no", EndsOff, 1},
                    GarbageCase{"BoolAnyNumber", "PicturePanel", 7, PicturePanel, 1},
                    GarbageCase{"PositionText", "HelpFormTop", "top", HelpTop, 40},
                    GarbageCase{"DpiZero", "MeasureDpi", 0, Dpi, 30}),
    [](const testing::TestParamInfo<GarbageCase>& info) { return info.param.name; });

TEST(LoadSettings, UnusableTextsFallBack) {
  MemorySettingsStore store;
  store.values = {{"Name Font", ""},
                  {"Point Name", "Вершинаугла12345"},
                  {"Line Name", "点"},
                  {"Circle Name", 3}};
  const Settings s = LoadSettings(store, "/p/");
  EXPECT_EQ(s.nameFont, "Times New Roman");
  EXPECT_EQ(s.pointName, "Вершинаугла1");  // a name holds at most 12 characters
  EXPECT_EQ(s.lineName, "b");
  EXPECT_EQ(s.circleName, "S");
}

TEST(LoadSettings, StoreThatCannotBeOpenedGivesDefaultsAndWritesNothing) {
  MemorySettingsStore store;
  store.failOpen = true;
  EXPECT_EQ(LoadSettings(store, "/p/"), Settings{});
  EXPECT_TRUE(store.values.empty());
}

TEST(ZoomStep, EveryDialogValueRoundTrips) {
  for (int percent = kZoomStepRange.min; percent <= kZoomStepRange.max; ++percent) {
    SCOPED_TRACE(percent);
    MemorySettingsStore store;
    store.values["ZoomStep"] = percent;
    Settings s = LoadSettings(store, "/p/");
    EXPECT_DOUBLE_EQ(s.zoomStep, percent / 100.0);
    EXPECT_EQ(ZoomStepPercent(s.zoomStep), percent);  // what the dialog shows
    store.values.erase("ZoomStep");
    ASSERT_TRUE(ApplyOptions(store, s, s));
    EXPECT_EQ(store.values["ZoomStep"], Value(percent));
  }
}

Settings Edited() {
  Settings e;
  e.nameFont = "Courier New";
  e.feeling = 7;
  e.timePause = 1000;
  e.pointName = "P";
  e.lineName = "l";
  e.circleName = "w";
  e.endsOff = false;
  e.pointVisible = false;
  e.lineVisible = false;
  e.circleVisible = false;
  e.color = 4;
  e.width = 3;
  e.zoomStep = 0.12;
  e.measureDpi = 120;
  e.smoothing = true;
  // Not the dialog's: these must not move.
  e.recentFiles[0] = "&1 /x.zms";
  e.helpFormTop = 1;
  e.helpShow = false;
  e.objectPanel = false;
  return e;
}

TEST(ApplyOptions, StoresTheDialogsFifteenValuesOnly) {
  MemorySettingsStore store;
  store.exists = true;
  Settings current;
  ASSERT_TRUE(ApplyOptions(store, current, Edited()));
  const std::map<std::string, Value> expected = {{"Name Font", "Courier New"},
                                                 {"Feeling", 7},
                                                 {"Time Pause", 1000},
                                                 {"Point Name", "P"},
                                                 {"Line Name", "l"},
                                                 {"Circle Name", "w"},
                                                 {"EndsOff", 0},
                                                 {"PointVisible", 0},
                                                 {"LineVisible", 0},
                                                 {"CircleVisible", 0},
                                                 {"Color", 4},
                                                 {"Width", 3},
                                                 {"ZoomStep", 12},
                                                 {"MeasureDpi", 120},
                                                 {"Smoothing", 1}};
  EXPECT_EQ(store.values, expected);
  EXPECT_EQ(current.timePause, 1000);
  EXPECT_DOUBLE_EQ(current.zoomStep, 0.12);
  EXPECT_EQ(current.recentFiles[0], "");
  EXPECT_EQ(current.helpFormTop, 40);
  EXPECT_TRUE(current.objectPanel);
}

TEST(ApplyOptions, OutOfRangeValuesAreClampedAndAFailingStoreIsReported) {
  MemorySettingsStore store;
  Settings edited = Edited();
  edited.timePause = 0;
  edited.feeling = -5;
  edited.width = 100;
  edited.zoomStep = 0.0;
  Settings current;
  // The key does not exist and is not created: nothing is stored, but the
  // values the user chose still take effect.
  EXPECT_FALSE(ApplyOptions(store, current, edited));
  EXPECT_TRUE(store.values.empty());
  EXPECT_EQ(current.timePause, 50);
  EXPECT_EQ(current.feeling, 1);
  EXPECT_EQ(current.width, 7);
  EXPECT_DOUBLE_EQ(current.zoomStep, 0.01);
  EXPECT_EQ(current.nameFont, "Courier New");
}

TEST(SaveSessionSettings, StoresRecentFilesHintWindowAndToolBars) {
  MemorySettingsStore store;
  store.exists = true;
  ASSERT_TRUE(SaveSessionSettings(store, Edited()));
  const std::map<std::string, Value> expected = {
      {"FileName1", "&1 /x.zms"}, {"FileName2", ""},     {"FileName3", ""}, {"FileName4", ""},
      {"HelpFormTop", 1},         {"HelpFormLeft", 450}, {"HelpShow", 0},   {"ObjectPanel", 0},
      {"PicturePanel", 0}};
  EXPECT_EQ(store.values, expected);
  store.failFlush = true;
  EXPECT_FALSE(SaveSessionSettings(store, Edited()));
}

struct FirstRunCase {
  const char* name;
  std::optional<Value> stored;
  bool showAbout;
};

class FirstRun : public testing::TestWithParam<FirstRunCase> {};

TEST_P(FirstRun, AboutBoxShowsOnceAndIsRemembered) {
  const FirstRunCase& c = GetParam();
  MemorySettingsStore store;
  store.exists = true;
  if (c.stored) store.values["FirstRun"] = *c.stored;
  EXPECT_EQ(TakeFirstRun(store), c.showAbout);
  EXPECT_EQ(store.values["FirstRun"], c.stored && !c.showAbout ? *c.stored : Value(1));
  EXPECT_FALSE(TakeFirstRun(store));  // the next start
}

INSTANTIATE_TEST_SUITE_P(Values, FirstRun,
                         testing::Values(FirstRunCase{"Absent", std::nullopt, true},
                                         FirstRunCase{"InstalledFalse", Value(0), true},
                                         FirstRunCase{"AlreadyShown", Value(1), false},
                                         FirstRunCase{"WrongType", Value("yes"), true}),
                         [](const testing::TestParamInfo<FirstRunCase>& info) {
                           return info.param.name;
                         });

TEST(FirstRun, NothingShowsWhenTheStoreCannotRememberIt) {
  MemorySettingsStore store;
  store.failOpen = true;
  EXPECT_FALSE(TakeFirstRun(store));
}

TEST(CreationDefaults, NewObjectsTakeThePageTwoValues) {
  const CreationDefaults d = MakeCreationDefaults(Edited());
  EXPECT_EQ(d.pointPrefix, "P");
  EXPECT_EQ(d.linePrefix, "l");
  EXPECT_EQ(d.circlePrefix, "w");
  EXPECT_EQ(d.colorIndex, 4);
  EXPECT_EQ(d.width, 3);
  EXPECT_FALSE(d.endsOff);
  Settings onlyLines;
  onlyLines.pointVisible = false;
  onlyLines.circleVisible = false;
  const CreationDefaults v = MakeCreationDefaults(onlyLines);
  EXPECT_FALSE(v.pointNameVisible);
  EXPECT_TRUE(v.lineNameVisible);
  EXPECT_FALSE(v.circleNameVisible);
}

}  // namespace
}  // namespace zelmora
