#pragma once

#include "interaction/modes/editor_mode.h"

// The five whole-drawing modes of the picture tool bar. Each stays on until
// its button is pressed again or the user returns to the normal state.
namespace zelmora {

// What tells the user which picture mode is on.
struct PictureLook {
  InteractionState state;
  CursorShape cursor;
  const char* prompt;
  const char* helpPage;  // "" where F1 does nothing
};

// The tool-bar button of the mode is down while the mode is on.
class PictureMode : public EditorMode {
 public:
  PictureMode(Editor& editor, const PictureLook& look) : EditorMode(editor), look_(look) {}
  InteractionState State() const override { return look_.state; }
  void Enter() override;
  std::string HelpPage() const override { return look_.helpPage; }
  void Leave() override;

 private:
  PictureLook look_;
};

// Left button: zoom in about the mouse while held; right button: zoom out.
class ZoomMode : public PictureMode {
 public:
  explicit ZoomMode(Editor& editor);
  void LeftPress(Modifiers mods, int x, int y) override;
  void RightPress(int x, int y) override;
  void Release(MouseButton button, int x, int y) override;
};

// A press starts a drag of the whole drawing.
class DrawingDragMode : public PictureMode {
 public:
  using PictureMode::PictureMode;
  void LeftPress(Modifiers mods, int x, int y) override;
};

// The drawing moves with the mouse from where it was pressed.
class TranslateMode : public DrawingDragMode {
 public:
  explicit TranslateMode(Editor& editor);
  void Drag(int x, int y) override;
};

// The drawing turns about the centre of the surface.
class RotateMode : public DrawingDragMode {
 public:
  explicit RotateMode(Editor& editor);
  void Drag(int x, int y) override;
};

// A press reflects the drawing in the point pressed (or the place, if none).
class PointSymmetryMode : public PictureMode {
 public:
  explicit PointSymmetryMode(Editor& editor);
  void LeftPress(Modifiers mods, int x, int y) override;
  void Hover(int x, int y) override;
};

// A press on a line reflects the drawing in it.
class LineSymmetryMode : public PictureMode {
 public:
  explicit LineSymmetryMode(Editor& editor);
  void LeftPress(Modifiers mods, int x, int y) override;
  void Hover(int x, int y) override;
};

}  // namespace zelmora
