#include "interaction/modes/export_mode.h"

#include "interaction/editor_texts.h"

namespace zelmora {

void ExportMode::Start(ExportView& view) {
  view_ = &view;
  rect_.Start();
  notice_ = false;
  view.ShowExportPanel(true);
}

PixelRect ExportMode::Area() const {
  return rect_.Area(editor_.SurfaceWidth(), editor_.SurfaceHeight());
}

bool ExportMode::RefuseEmpty() {
  if (!Area().Empty()) return false;
  view_->SetExportPrompt(texts::kDragRectangleFirst);
  notice_ = true;
  return true;
}

void ExportMode::LeftPress(Modifiers, int x, int y) {
  if (notice_ && view_ != nullptr) {
    // Showing the panel again brings its own prompt back.
    view_->ShowExportPanel(true);
    notice_ = false;
  }
  rect_.Press(x, y);
}

void ExportMode::Drag(int x, int y) {
  rect_.Move(x, y);
}

void ExportMode::Release(MouseButton button, int x, int y) {
  if (button == MouseButton::Left) rect_.Release(x, y);
}

void ExportMode::Confirm() {
  if (view_ == nullptr) return;
  // An empty file reported as an export would be a failure reported as success.
  if (RefuseEmpty()) return;
  // The picture is painted again without the frame before it is copied.
  rect_.HideFrame();
  editor_.Repaint();
  const std::optional<std::string> path = view_->AskExportPath();
  if (!path) return;  // the rectangle stays, to be exported or dragged again
  // The window may have been resized while the dialog was open.
  if (RefuseEmpty()) return;
  const std::string error = view_->WriteExport(*path, Area());
  if (!error.empty()) {
    // The user may choose another place: the export goes on.
    view_->ShowExportFailed(*path, error);
    return;
  }
  view_->ShowExportPanel(false);
  editor_.SetMode(InteractionState::Normal);
  editor_.Repaint();
}

void ExportMode::Leave() {
  rect_.HideFrame();
  if (view_ != nullptr) view_->ShowExportPanel(false);
}

}  // namespace zelmora
