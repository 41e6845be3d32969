#pragma once

#include <optional>
#include <string>

#include "geometry/canvas.h"

namespace zelmora {

// A rectangle of surface pixels: the columns left..left+width-1 and the rows
// top..top+height-1.
struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool Empty() const { return width <= 0 || height <= 0; }
  bool operator==(const PixelRect&) const = default;
};

// What the export of a region asks of the window.
class ExportView {
 public:
  virtual ~ExportView() = default;
  // The selection panel with the export's prompt and buttons, or the status bar again.
  virtual void ShowExportPanel(bool shown) = 0;
  virtual void SetExportPrompt(const std::string& text) = 0;
  // The picture file to write; nothing when the user cancelled the dialog.
  virtual std::optional<std::string> AskExportPath() = 0;
  // Writes `area` of the drawing as the surface shows it; an error text, empty on success.
  virtual std::string WriteExport(const std::string& path, PixelRect area) = 0;
  virtual void ShowExportFailed(const std::string& path, const std::string& error) = 0;
};

// The rectangle the user drags over the drawing to export, corner to corner
// in any direction, shown as a dotted frame that never reaches the picture.
class ExportRect {
 public:
  // No rectangle yet, nothing shown.
  void Start();
  // The left button goes down: a new rectangle starts here.
  void Press(int x, int y);
  // The mouse moves with the left button held.
  void Move(int x, int y);
  // The left button goes up.
  void Release(int x, int y);

  void HideFrame() { frameShown_ = false; }
  void PaintFrame(Canvas& canvas) const;
  // The rectangle, corners in order, cut to a surface of the given size.
  PixelRect Area(int surfaceWidth, int surfaceHeight) const;

 private:
  int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  bool dragging_ = false;
  bool frameShown_ = false;
};

}  // namespace zelmora
