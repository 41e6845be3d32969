#pragma once

#include "interaction/export_rect.h"
#include "interaction/modes/editor_mode.h"

namespace zelmora {

// Choosing a region of the drawing and writing it to a picture file. The
// selection panel is shown while the mode is on; F1 does nothing here.
class ExportMode : public EditorMode {
 public:
  using EditorMode::EditorMode;
  InteractionState State() const override { return InteractionState::ExportRect; }
  // A new export through `view`: no rectangle yet, the panel shown.
  void Start(ExportView& view);
  // The panel's action button: writes the rectangle and ends the mode, or
  // says what is missing and stays.
  void Confirm();
  // The rectangle dragged so far, cut to the surface; empty when none is.
  PixelRect Area() const;

  void LeftPress(Modifiers mods, int x, int y) override;
  void Drag(int x, int y) override;
  void Release(MouseButton button, int x, int y) override;
  // An empty rectangle has no frame: a bare click would leave a dot.
  void PaintOverlay(Canvas& canvas) override {
    if (!Area().Empty()) rect_.PaintFrame(canvas);
  }
  void Leave() override;

 private:
  // An empty rectangle is refused with a word on the panel.
  bool RefuseEmpty();

  ExportRect rect_;
  ExportView* view_ = nullptr;
  bool notice_ = false;  // the panel tells the user to drag a rectangle first
};

}  // namespace zelmora
