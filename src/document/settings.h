#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "geometry/object_list.h"

// The user's settings: what they are in memory, where they come from and
// which of them go back to the store when.
namespace zelmora {

// A named-value store of the current user (the registry key on Windows, a
// settings file elsewhere). Integers and booleans are kept as numbers.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // Opens the program's key; with `create` a missing key is created. false
  // when the key cannot be opened: nothing can then be read or written.
  virtual bool Open(bool create) = 0;

  virtual bool Has(const std::string& name) = 0;
  // nullopt when the value is missing or cannot be read as the type asked.
  virtual std::optional<std::string> ReadString(const std::string& name) = 0;
  virtual std::optional<int> ReadInt(const std::string& name) = 0;
  virtual std::optional<bool> ReadBool(const std::string& name) = 0;
  virtual void WriteString(const std::string& name, const std::string& value) = 0;
  virtual void WriteInt(const std::string& name, int value) = 0;
  virtual void WriteBool(const std::string& name, bool value) = 0;

  // Makes the writes so far permanent; false when they did not all reach the store.
  virtual bool Flush() = 0;
};

struct IntRange {
  int min;
  int max;
  constexpr int Clamp(int value) const { return std::clamp(value, min, max); }
};

// The ranges the options dialog offers; stored values are kept within them.
inline constexpr IntRange kFeelingRange{1, 15};
inline constexpr IntRange kTimePauseRange{50, 10000};
inline constexpr IntRange kZoomStepRange{1, 15};
inline constexpr IntRange kWidthRange{1, 7};
inline constexpr IntRange kColorRange{0, 13};
inline constexpr IntRange kMeasureDpiRange{30, 600};

inline constexpr int kRecentFileCount = 4;

// Every setting with its default.
struct Settings {
  std::string nameFont = "Times New Roman";  // labels of objects on the plane
  int feeling = 5;                           // hit tolerance in pixels
  int timePause = 300;                       // blink period in milliseconds
  std::string pointName = "A";               // name prefixes of new objects
  std::string lineName = "b";
  std::string circleName = "S";
  bool pointVisible = true;  // whether new objects show their names
  bool lineVisible = true;
  bool circleVisible = true;
  bool endsOff = true;   // new segments and rays count as whole lines
  bool helpShow = true;  // the floating hint window is shown
  int helpFormTop = 40;
  int helpFormLeft = 450;
  int color = 0;  // palette index of new objects
  int width = 1;  // width of new objects
  // Captions of the File menu's recent entries, "&1 " prefix included.
  std::array<std::string, kRecentFileCount> recentFiles;
  bool objectPanel = true;    // the object tool bar is shown
  bool picturePanel = false;  // the drawing-transform tool bar is shown
  double zoomStep = 0.05;     // zoom step factor; stored as a percentage
  int measureDpi = 96;        // plane units per inch of measurements in centimetres
  bool smoothing = false;     // lines, circles and labels antialiased

  bool operator==(const Settings&) const = default;
};

// The options dialog shows and stores the zoom step as a whole percentage.
int ZoomStepPercent(double zoomStep);
double ZoomStepFromPercent(int percent);

// Start of the program: every value missing from the store gets its default
// written, then every value is read; a value out of range is clamped and one
// of the wrong type is replaced by its default. "Path" is set to
// `programFolder`. When the store cannot be opened the defaults are used.
Settings LoadSettings(SettingsStore& store, const std::string& programFolder);

// Close of the program: the recent files, the hint window and the tool bars.
bool SaveSessionSettings(SettingsStore& store, const Settings& settings);

// "Согласен" in the options dialog: takes the dialog's values from
// `edited` into `settings` (kept within range) and stores them. The values
// take effect even when the store fails; false tells that they were not saved.
bool ApplyOptions(SettingsStore& store, Settings& settings, const Settings& edited);

// First activation of the main window: true once, when the about box has
// never been shown; the store then remembers that it has been.
bool TakeFirstRun(SettingsStore& store);

// What new objects start with.
CreationDefaults MakeCreationDefaults(const Settings& settings);

}  // namespace zelmora
