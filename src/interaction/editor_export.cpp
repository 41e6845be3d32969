// The export of a region: the rectangle is chosen on the surface while the
// selection panel is shown, then written through the window.
#include "interaction/editor.h"
#include "interaction/editor_texts.h"

namespace zelmora {

void Editor::StartExport(ExportView& view) {
  ReturnToNormal();
  exportView_ = &view;
  export_.Start();
  exportNotice_ = false;
  state_ = InteractionState::ExportRect;
  view.ShowExportPanel(true);
  Repaint();
}

void Editor::ExportPress(int x, int y) {
  if (exportNotice_) {
    // Showing the panel again brings its own prompt back.
    exportView_->ShowExportPanel(true);
    exportNotice_ = false;
  }
  export_.Press(x, y);
}

void Editor::ConfirmExport() {
  if (state_ != InteractionState::ExportRect || exportView_ == nullptr) return;
  auto area = [this] { return export_.Area(surfaceWidth_, surfaceHeight_); };
  // An empty file reported as an export would be a failure reported as success.
  auto refuseEmpty = [&] {
    if (!area().Empty()) return false;
    exportView_->SetExportPrompt(texts::kDragRectangleFirst);
    exportNotice_ = true;
    return true;
  };
  if (refuseEmpty()) return;
  // The picture is painted again without the frame before it is copied.
  export_.HideFrame();
  Repaint();
  const std::optional<std::string> path = exportView_->AskExportPath();
  if (!path) return;  // the rectangle stays, to be exported or dragged again
  // The window may have been resized while the dialog was open.
  if (refuseEmpty()) return;
  const std::string error = exportView_->WriteExport(*path, area());
  if (!error.empty()) {
    // The user may choose another place: the export goes on.
    exportView_->ShowExportFailed(*path, error);
    return;
  }
  exportView_->ShowExportPanel(false);
  state_ = InteractionState::Normal;
  Repaint();
}

}  // namespace zelmora
