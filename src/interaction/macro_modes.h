#pragma once

#include <optional>
#include <string>

#include "geometry/canvas.h"
#include "geometry/object_list.h"
#include "interaction/editor_view.h"
#include "interaction/macro_application.h"
#include "interaction/macro_recording.h"

namespace zelmora {

// The window's side of macro recording: the selection panel and the dialogs.
class MacroDialogs {
 public:
  virtual ~MacroDialogs() = default;
  // The hint dialog for an argument of `kind` just chosen; nothing when the
  // argument is withdrawn.
  virtual std::optional<std::string> AskArgumentHint(int kind) = 0;
  virtual bool AskYesNo(const std::string& title, const std::string& question) = 0;
  // The save dialog in the Macros folder; nothing when cancelled.
  virtual std::optional<std::string> AskMacroPath() = 0;
  // The name dialog over `proposed`; closing it keeps `proposed`.
  virtual std::string AskMacroName(const std::string& proposed) = 0;
  // The bottom bar: 0 the status bar, 5 the panel choosing arguments ("Дальше"),
  // 6 the panel choosing results ("Готово").
  virtual void ShowSelectionPanel(int mode) = 0;
  virtual void ReportFailure(const std::string& text) = 0;
};

enum class MacroStep { Continue, Finished, Refused };

// Recording: arguments, then results, then the file.
class MacroRecordMode {
 public:
  MacroRecordMode(ObjectList& objects, EditorView& view) : objects_(objects), view_(view) {}

  void Start(MacroDialogs& dialogs);
  // An object pressed on or chosen in the popup menu.
  void Choose(int index, MacroDialogs& dialogs);
  // The panel's action button: "Дальше", then "Готово". Refused means the
  // results do not rest on the arguments: the caller cancels and shows error 9.
  MacroStep Action(MacroDialogs& dialogs, Canvas& canvas, const DrawContext& context);
  // Part of return-to-normal.
  void Cancel(MacroDialogs* dialogs);
  void Blink(bool blink, Canvas& canvas, const DrawContext& context);
  const MacroRecording& Recording() const { return recording_; }

 private:
  void DrawAll(const std::vector<int>& indices, bool blink, Canvas& canvas,
               const DrawContext& context);

  ObjectList& objects_;
  EditorView& view_;
  MacroRecording recording_;
};

// Application: one object per argument record, then the macro is built.
class MacroApplyMode {
 public:
  MacroApplyMode(ObjectList& objects, EditorView& view) : objects_(objects), view_(view) {}

  // false, with the error shown, when the macro cannot be applied.
  bool Start(const std::string& path);
  int DemandedKind() const { return application_.NextKind(); }
  // A press at (x, y) with `index` the object of the demanded kind under it
  // (-1 for none): beside every object a point argument is a new free point.
  MacroStep Press(int index, int x, int y);
  // An object chosen in the popup menu; ignored unless of the demanded kind.
  MacroStep Give(int index);
  // The error of the last application, 0 when none.
  int Error() const { return error_; }
  void Cancel();
  void Blink(bool blink, Canvas& canvas, const DrawContext& context);
  const MacroApplication& Application() const { return application_; }

 private:
  ObjectList& objects_;
  EditorView& view_;
  MacroApplication application_;
  int error_ = 0;
};

}  // namespace zelmora
