#include "geometry/tg_text.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "geometry/pixel.h"

namespace zelmora {

void TGText::Draw(Canvas& canvas, bool selected, bool blink, const DrawContext& context) {
  if (!IsShown(context.showAll)) return;
  const bool wasTransparent = canvas.BackgroundTransparent();
  canvas.SetBackgroundTransparent(true);
  canvas.SetFontColor(DrawColor(selected, blink));
  canvas.SetTextSize(FontSize);
  boxWidth_ = boxHeight_ = 0;
  std::string_view rest = Shown;
  while (true) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    const TextSize size = canvas.MeasureText(line.empty() ? std::string_view(" ") : line);
    canvas.DrawText(ToPixel(X), ToPixel(Y + boxHeight_), line);
    boxWidth_ = std::max(boxWidth_, size.width);
    boxHeight_ += size.height;
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  canvas.SetTextSize(0);
  canvas.SetBackgroundTransparent(wasTransparent);
}

double TGText::DistanceTo(double x, double y) const {
  const double dx = std::max({X - x, 0.0, x - (X + boxWidth_)});
  const double dy = std::max({Y - y, 0.0, y - (Y + boxHeight_)});
  return std::hypot(dx, dy);
}

void TGText::DragPosition(int x, int y) {
  X += x - SavedX;
  Y += y - SavedY;
  SavedX = x;
  SavedY = y;
}

}  // namespace zelmora
