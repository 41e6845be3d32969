#pragma once

#include <optional>
#include <string>

#include "geometry/canvas.h"
#include "geometry/object_list.h"
#include "interaction/editor_view.h"
#include "interaction/macro_application.h"
#include "interaction/macro_dialogs.h"
#include "interaction/macro_recording.h"
#include "interaction/modes/picking_mode.h"

namespace zelmora {

// Recording a macro: arguments, then results, then the file. A press or a
// popup choice takes an object, the panel's button moves on, and leaving
// undoes the recording.
class MacroRecordMode : public PickingMode {
 public:
  explicit MacroRecordMode(Editor& editor)
      : PickingMode(editor, false), objects_(editor_.Objects()), view_(editor_.View()) {}
  InteractionState State() const override { return InteractionState::MacroRecord; }

  void Start(MacroDialogs& dialogs);
  // The panel's action button: "Дальше", then "Готово". Results that do not
  // rest on the arguments cancel the recording with error 9.
  void PanelAction(MacroDialogs& dialogs);
  std::string HelpPage() const override;
  void Leave() override;
  const MacroRecording& Recording() const { return recording_; }

 protected:
  void Press(int x, int y) override;
  void Choose(int index) override;
  std::vector<int> Blinking() const override;

 private:
  MacroStep Action(MacroDialogs& dialogs);
  void DrawAll(const std::vector<int>& indices);

  ObjectList& objects_;
  EditorView& view_;
  MacroRecording recording_;
};

// Applying a macro: one object per argument record (a press beside every
// object makes a free point for a point argument), then the macro is built.
class MacroApplyMode : public PickingMode {
 public:
  explicit MacroApplyMode(Editor& editor)
      : PickingMode(editor, false), objects_(editor_.Objects()), view_(editor_.View()) {}
  InteractionState State() const override { return InteractionState::MacroApply; }

  // false, with the error shown, when the macro cannot be applied.
  bool Start(const std::string& path);
  int DemandedKind() const { return application_.NextKind(); }
  std::string HelpPage() const override;
  void Leave() override;
  // The free points made for an application belong to it: they join the
  // history with the macro's objects, as one action.
  std::size_t PendingObjects() const override;
  const MacroApplication& Application() const { return application_; }

 protected:
  void Press(int x, int y) override;
  void Choose(int index) override;
  std::vector<int> Blinking() const override { return application_.given; }

 private:
  MacroStep Give(int index);
  // Back to normal once the macro is built, or with its error when refused.
  void Finish(MacroStep step);

  ObjectList& objects_;
  EditorView& view_;
  MacroApplication application_;
  int error_ = 0;
};

}  // namespace zelmora
