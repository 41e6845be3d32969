#include "controls/zm_color_selector.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "geometry/pixel.h"

namespace zelmora {
namespace {

// Sizes beyond this are typing errors, and they would overflow the width.
constexpr int kMaxCellSize = 1000;

// The dialogs' arrow markers, row by row from the top: '.' panel, 'l' light
// red, 'r' red, 'd' dark red.
constexpr std::array<std::string_view, 12> kUpMarker = {
    "..llllll..", "..lrrrrd..", "..lrrrrd..", "..lrrrrd..", "..lrrrrd..", "..lrrrrd..",
    "lllrrrrddd", "lrrrrrrrrd", ".lrrrrrrd.", "..lrrrrd..", "...lrrd...", "....ld....",
};
constexpr std::array<std::string_view, 12> kDownMarker = {
    "....ll....", "...lrrd...", "..lrrrrd..", ".lrrrrrrd.", "lrrrrrrrrd", "lllrrrrddd",
    "..lrrrrd..", "..lrrrrd..", "..lrrrrd..", "..lrrrrd..", "..lrrrrd..", "..lddddd..",
};

QImage MarkerImage(const std::array<std::string_view, 12>& rows) {
  QImage image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
               QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QRgb pixel = TZMColorSelector::kPanelColor;
      switch (rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) {
        case 'l':
          pixel = qRgb(255, 121, 121);
          break;
        case 'r':
          pixel = qRgb(255, 0, 0);
          break;
        case 'd':
          pixel = qRgb(128, 0, 0);
          break;
        default:
          break;
      }
      image.setPixel(x, y, pixel);
    }
  }
  return image;
}

// Palette colours are 0x00BBGGRR: red is the low byte.
QColor ToQColor(zelmora::Color color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

}  // namespace

TZMColorSelector::TZMColorSelector(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  connect(&animation_, &QTimer::timeout, this, [this] { StepAnimation(); });
  UpdateSize();
}

QColor TZMColorSelector::Color() const {
  return color_.value_or(palette().color(backgroundRole()));
}

void TZMColorSelector::SetColor(const QColor& color) {
  if (color_ == color) return;
  color_ = color;
  update();
}

void TZMColorSelector::SetTransparent(bool transparent) {
  if (transparent_ == transparent) return;
  transparent_ = transparent;
  // Not opaque: the parent's picture is composed under the strips and gaps.
  setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
  update();
}

void TZMColorSelector::SetColorNumber(int index) {
  if (index < 0 || index >= kCellCount || index == colorNumber_) return;
  colorNumber_ = index;
  colorName_ = PaletteColor(index, kBlack);
  SlideMarkersTo(index);
  emit Changed(index);
}

void TZMColorSelector::SetColorName(zelmora::Color color) {
  if (color == colorName_) return;
  const int index = PaletteIndex(color);
  if (index < 0 || index >= kCellCount) return;
  SetColorNumber(index);
}

void TZMColorSelector::SetWidthCell(int width) {
  widthCell_ = std::clamp(width, 1, kMaxCellSize);
  UpdateSize();
}

void TZMColorSelector::SetHeightCell(int height) {
  heightCell_ = std::clamp(height, 1, kMaxCellSize);
  UpdateSize();
}

void TZMColorSelector::SetStep(int gap) {
  step_ = std::clamp(gap, 0, kMaxCellSize);
  UpdateSize();
}

void TZMColorSelector::SetUpBitmap(const QImage& bitmap) {
  SetMarkerBitmap(upBitmap_, bitmap);
}

void TZMColorSelector::SetDownBitmap(const QImage& bitmap) {
  SetMarkerBitmap(downBitmap_, bitmap);
}

void TZMColorSelector::SetMarkerBitmap(QImage& slot, const QImage& bitmap) {
  // Markers are drawn opaque, whatever alpha the given image carries.
  const QImage opaque = bitmap.isNull() ? QImage() : bitmap.convertToFormat(QImage::Format_RGB32);
  if (opaque == slot) {
    update();
    return;
  }
  slot = opaque;
  // A fresh control has its markers at the very left; a first marker bitmap
  // moves them half its width in.
  if (markerX_ == 0.0) {
    markerX_ = slot.width() / 2;
    if (!Animating()) markerTarget_ = markerX_;
  }
  UpdateSize();
}

void TZMColorSelector::SetSpeed(double pixels) {
  speed_ = pixels;
}

void TZMColorSelector::SetDelay(int milliseconds) {
  delay_ = std::max(0, milliseconds);
  animation_.setInterval(delay_);
}

int TZMColorSelector::MarkerTarget(int index) const {
  return index * (widthCell_ + step_) + widthCell_ / 2 - upBitmap_.width() / 2;
}

QRect TZMColorSelector::CellRect(int index) const {
  return QRect(index * (widthCell_ + step_), upBitmap_.height() + 1, widthCell_, heightCell_ + 1);
}

int TZMColorSelector::CellAt(int x) const {
  if (x < 0) return -1;
  const int cell = x / (widthCell_ + step_);
  return cell < kCellCount ? cell : -1;
}

bool TZMColorSelector::StepAnimation() {
  if (!Animating()) return false;
  const double remaining = markerTarget_ - markerX_;
  if (std::abs(remaining) <= speed_) {
    FinishAnimation();
    return false;
  }
  markerX_ += remaining > 0 ? speed_ : -speed_;
  RepaintMarkers();
  return true;
}

void TZMColorSelector::FinishAnimation() {
  animation_.stop();
  markerX_ = markerTarget_;
  RepaintMarkers();
}

void TZMColorSelector::SlideMarkersTo(int index) {
  markerTarget_ = MarkerTarget(index);
  // A speed that never gets there would slide forever: jump instead.
  if (!(speed_ > 0.0) || !std::isfinite(speed_) || markerX_ == markerTarget_) {
    FinishAnimation();
    return;
  }
  if (!Animating()) animation_.start(delay_);
}

void TZMColorSelector::UseDialogLook() {
  SetColor(QColor::fromRgb(kPanelColor));
  SetUpBitmap(DialogUpMarker());
  SetDownBitmap(DialogDownMarker());
  SetDelay(5);
  SetSpeed(5.0);
  SetTransparent(false);
}

QImage TZMColorSelector::DialogUpMarker() {
  return MarkerImage(kUpMarker);
}

QImage TZMColorSelector::DialogDownMarker() {
  return MarkerImage(kDownMarker);
}

void TZMColorSelector::DoMouseEnter() {
  emit MouseEnter();
}

void TZMColorSelector::DoMouseLeave() {
  emit MouseLeave();
}

int TZMColorSelector::LowerStripTop() const {
  return upBitmap_.height() + heightCell_ + 2;
}

void TZMColorSelector::UpdateSize() {
  setFixedSize(kCellCount * widthCell_ + (kCellCount - 1) * step_,
               upBitmap_.height() + downBitmap_.height() + heightCell_ + 2);
  update();
}

void TZMColorSelector::RepaintMarkers() {
  update(QRect(0, 0, width(), upBitmap_.height()));
  update(QRect(0, LowerStripTop(), width(), downBitmap_.height()));
}

void TZMColorSelector::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!transparent_) painter.fillRect(rect(), Color());
  const QColor shadow(128, 128, 128);
  for (int i = 0; i < kCellCount; ++i) {
    const QRect cell = CellRect(i);
    // A sunken frame: light falls from the top left.
    painter.fillRect(QRect(cell.left(), cell.top(), cell.width() - 1, 1), shadow);
    painter.fillRect(QRect(cell.left(), cell.top(), 1, cell.height() - 1), shadow);
    painter.fillRect(QRect(cell.right(), cell.top(), 1, cell.height()), Qt::white);
    painter.fillRect(QRect(cell.left(), cell.bottom(), cell.width(), 1), Qt::white);
    painter.fillRect(cell.adjusted(1, 1, -1, -1), ToQColor(PaletteColor(i, kBlack)));
  }
  const int x = ToPixel(markerX_);
  painter.drawImage(x, 0, upBitmap_);
  painter.drawImage(x, LowerStripTop(), downBitmap_);
}

void TZMColorSelector::mousePressEvent(QMouseEvent* event) {
  const int x = ToPixel(std::floor(event->position().x()));
  const int y = ToPixel(std::floor(event->position().y()));
  // The height of the press and the button do not matter.
  SetColorNumber(CellAt(x));
  emit MouseDown(event->button(), event->modifiers(), x, y);
}

void TZMColorSelector::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (presence_.Enter(isEnabled())) DoMouseEnter();
}

void TZMColorSelector::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (presence_.Leave(isEnabled())) DoMouseLeave();
}

}  // namespace zelmora
