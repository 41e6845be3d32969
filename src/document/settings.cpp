#include "document/settings.h"

#include <cmath>

#include "document/cp1251.h"
#include "geometry/utf8.h"

namespace zelmora {
namespace {

namespace key {
constexpr const char* kNameFont = "Name Font";
constexpr const char* kFeeling = "Feeling";
constexpr const char* kTimePause = "Time Pause";
constexpr const char* kPointName = "Point Name";
constexpr const char* kLineName = "Line Name";
constexpr const char* kCircleName = "Circle Name";
constexpr const char* kPointVisible = "PointVisible";
constexpr const char* kLineVisible = "LineVisible";
constexpr const char* kCircleVisible = "CircleVisible";
constexpr const char* kEndsOff = "EndsOff";
constexpr const char* kHelpShow = "HelpShow";
constexpr const char* kHelpFormTop = "HelpFormTop";
constexpr const char* kHelpFormLeft = "HelpFormLeft";
constexpr const char* kColor = "Color";
constexpr const char* kWidth = "Width";
constexpr const char* kPath = "Path";
constexpr std::array<const char*, kRecentFileCount> kFileNames = {"FileName1", "FileName2",
                                                                  "FileName3", "FileName4"};
constexpr const char* kObjectPanel = "ObjectPanel";
constexpr const char* kPicturePanel = "PicturePanel";
constexpr const char* kZoomStep = "ZoomStep";
constexpr const char* kMeasureDpi = "MeasureDpi";
constexpr const char* kSmoothing = "Smoothing";
constexpr const char* kFirstRun = "FirstRun";
}  // namespace key

// A font needs a name; anything else is the user's choice.
std::string FontOrDefault(const std::string& font, const std::string& fallback) {
  return font.empty() ? fallback : font;
}

// Names are stored in documents in Windows-1251 and hold at most 12 characters,
// so a longer prefix could never show in full.
std::string NamePrefix(const std::string& prefix, const std::string& fallback) {
  if (!FitsCp1251(prefix)) return fallback;
  return Utf8Prefix(prefix, kMaxNameLength);
}

// One value at start: a missing value gets its default written first, then
// the value is read back; one that cannot be read as its type is the default.
class StartReader {
 public:
  explicit StartReader(SettingsStore& store) : store_(store) {}

  std::string String(const char* name, const std::string& fallback) {
    if (!store_.Has(name)) store_.WriteString(name, fallback);
    return store_.ReadString(name).value_or(fallback);
  }
  int Int(const char* name, int fallback) {
    if (!store_.Has(name)) store_.WriteInt(name, fallback);
    return store_.ReadInt(name).value_or(fallback);
  }
  int Int(const char* name, int fallback, IntRange range) {
    return range.Clamp(Int(name, fallback));
  }
  bool Bool(const char* name, bool fallback) {
    if (!store_.Has(name)) store_.WriteBool(name, fallback);
    return store_.ReadBool(name).value_or(fallback);
  }

 private:
  SettingsStore& store_;
};

}  // namespace

int ZoomStepPercent(double zoomStep) {
  if (!std::isfinite(zoomStep)) zoomStep = Settings{}.zoomStep;
  return static_cast<int>(std::lround(std::clamp(zoomStep * 100.0, -1e9, 1e9)));
}

double ZoomStepFromPercent(int percent) {
  return percent / 100.0;
}

Settings LoadSettings(SettingsStore& store, const std::string& programFolder) {
  const Settings defaults;
  Settings s;
  // Without a store the defaults serve: zeros would stop hits, spin the
  // blink timer and make every new object invisible.
  if (!store.Open(true)) return s;

  StartReader read(store);
  s.nameFont = FontOrDefault(read.String(key::kNameFont, defaults.nameFont), defaults.nameFont);
  s.feeling = read.Int(key::kFeeling, defaults.feeling, kFeelingRange);
  s.timePause = read.Int(key::kTimePause, defaults.timePause, kTimePauseRange);
  s.pointName = NamePrefix(read.String(key::kPointName, defaults.pointName), defaults.pointName);
  s.lineName = NamePrefix(read.String(key::kLineName, defaults.lineName), defaults.lineName);
  s.circleName =
      NamePrefix(read.String(key::kCircleName, defaults.circleName), defaults.circleName);
  s.pointVisible = read.Bool(key::kPointVisible, defaults.pointVisible);
  s.lineVisible = read.Bool(key::kLineVisible, defaults.lineVisible);
  s.circleVisible = read.Bool(key::kCircleVisible, defaults.circleVisible);
  s.endsOff = read.Bool(key::kEndsOff, defaults.endsOff);
  s.helpShow = read.Bool(key::kHelpShow, defaults.helpShow);
  s.helpFormTop = read.Int(key::kHelpFormTop, defaults.helpFormTop);
  s.helpFormLeft = read.Int(key::kHelpFormLeft, defaults.helpFormLeft);
  s.color = read.Int(key::kColor, defaults.color, kColorRange);
  s.width = read.Int(key::kWidth, defaults.width, kWidthRange);
  store.WriteString(key::kPath, programFolder);
  for (int i = 0; i < kRecentFileCount; ++i) {
    s.recentFiles[i] = read.String(key::kFileNames[i], defaults.recentFiles[i]);
  }
  s.objectPanel = read.Bool(key::kObjectPanel, defaults.objectPanel);
  s.picturePanel = read.Bool(key::kPicturePanel, defaults.picturePanel);
  s.zoomStep = ZoomStepFromPercent(
      read.Int(key::kZoomStep, ZoomStepPercent(defaults.zoomStep), kZoomStepRange));
  s.measureDpi = read.Int(key::kMeasureDpi, defaults.measureDpi, kMeasureDpiRange);
  s.smoothing = read.Bool(key::kSmoothing, defaults.smoothing);
  store.Flush();
  return s;
}

bool SaveSessionSettings(SettingsStore& store, const Settings& settings) {
  if (!store.Open(false)) return false;
  for (int i = 0; i < kRecentFileCount; ++i) {
    store.WriteString(key::kFileNames[i], settings.recentFiles[i]);
  }
  store.WriteInt(key::kHelpFormTop, settings.helpFormTop);
  store.WriteInt(key::kHelpFormLeft, settings.helpFormLeft);
  store.WriteBool(key::kHelpShow, settings.helpShow);
  store.WriteBool(key::kObjectPanel, settings.objectPanel);
  store.WriteBool(key::kPicturePanel, settings.picturePanel);
  return store.Flush();
}

bool ApplyOptions(SettingsStore& store, Settings& settings, const Settings& edited) {
  const Settings defaults;
  Settings& s = settings;
  s.nameFont = FontOrDefault(edited.nameFont, defaults.nameFont);
  s.feeling = kFeelingRange.Clamp(edited.feeling);
  s.timePause = kTimePauseRange.Clamp(edited.timePause);
  s.pointName = NamePrefix(edited.pointName, defaults.pointName);
  s.lineName = NamePrefix(edited.lineName, defaults.lineName);
  s.circleName = NamePrefix(edited.circleName, defaults.circleName);
  s.endsOff = edited.endsOff;
  s.pointVisible = edited.pointVisible;
  s.lineVisible = edited.lineVisible;
  s.circleVisible = edited.circleVisible;
  s.color = kColorRange.Clamp(edited.color);
  s.width = kWidthRange.Clamp(edited.width);
  const int zoomPercent = kZoomStepRange.Clamp(ZoomStepPercent(edited.zoomStep));
  s.zoomStep = ZoomStepFromPercent(zoomPercent);
  s.measureDpi = kMeasureDpiRange.Clamp(edited.measureDpi);
  s.smoothing = edited.smoothing;

  if (!store.Open(false)) return false;
  store.WriteString(key::kNameFont, s.nameFont);
  store.WriteInt(key::kFeeling, s.feeling);
  store.WriteInt(key::kTimePause, s.timePause);
  store.WriteString(key::kPointName, s.pointName);
  store.WriteString(key::kLineName, s.lineName);
  store.WriteString(key::kCircleName, s.circleName);
  store.WriteBool(key::kEndsOff, s.endsOff);
  store.WriteBool(key::kPointVisible, s.pointVisible);
  store.WriteBool(key::kLineVisible, s.lineVisible);
  store.WriteBool(key::kCircleVisible, s.circleVisible);
  store.WriteInt(key::kColor, s.color);
  store.WriteInt(key::kWidth, s.width);
  store.WriteInt(key::kZoomStep, zoomPercent);
  store.WriteInt(key::kMeasureDpi, s.measureDpi);
  store.WriteBool(key::kSmoothing, s.smoothing);
  return store.Flush();
}

// Installation normally leaves "FirstRun" false; a store that has never seen
// the program has no such value at all, which means the same.
bool TakeFirstRun(SettingsStore& store) {
  if (!store.Open(false)) return false;
  if (store.ReadBool(key::kFirstRun).value_or(false)) return false;
  store.WriteBool(key::kFirstRun, true);
  store.Flush();
  return true;
}

CreationDefaults MakeCreationDefaults(const Settings& settings) {
  CreationDefaults d;
  d.pointPrefix = settings.pointName;
  d.linePrefix = settings.lineName;
  d.circlePrefix = settings.circleName;
  d.colorIndex = settings.color;
  d.width = settings.width;
  d.endsOff = settings.endsOff;
  d.pointNameVisible = settings.pointVisible;
  d.lineNameVisible = settings.lineVisible;
  d.circleNameVisible = settings.circleVisible;
  return d;
}

}  // namespace zelmora
