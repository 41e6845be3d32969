#include "render/label_pictures.h"

#include <QPainter>
#include <algorithm>

namespace zelmora {
namespace {

// Enough for every name of a very large drawing; beyond that the cache
// starts afresh rather than grow without bound.
constexpr std::size_t kMaxPictureBytes = 32u << 20;
constexpr std::size_t kMaxSizes = 1u << 16;
// A name has at most 12 characters; even the widest letters stay far below
// this many line heights.
constexpr int kMaxAdvanceInHeights = 64;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LabelPictures::LabelPictures(const QFont& font) : font_(font), metrics_(font) {}

TextSize LabelPictures::Measure(std::string_view text) {
  const std::string key(text);
  if (auto it = sizes_.find(key); it != sizes_.end()) return it->second;
  if (sizes_.size() >= kMaxSizes) sizes_.clear();
  const int height = metrics_.height();
  const int advance = metrics_.horizontalAdvance(FromUtf8(text));
  const TextSize size{std::clamp(advance, 0, kMaxAdvanceInHeights * height), height};
  sizes_.emplace(key, size);
  return size;
}

void LabelPictures::Trim() {
  if (pictureBytes_ <= kMaxPictureBytes) return;
  pictures_.clear();
  pictureBytes_ = 0;
}

const LabelPictures::Picture& LabelPictures::Get(std::string_view text, QRgb colour) {
  key_.assign(reinterpret_cast<const char*>(&colour), sizeof colour);
  key_.append(text);
  if (auto it = pictures_.find(key_); it != pictures_.end()) return it->second;

  const QString s = FromUtf8(text);
  Picture picture;
  picture.size = Measure(text);
  // Letters may reach beyond their advance (an italic end, a low descender,
  // stacked accents): a margin of one line height on every side holds them.
  // The font's own bounding box is not asked: for a lone tab or a soft
  // hyphen it is a placeholder 100 000 pixels wide.
  const int margin = picture.size.height;
  const QRect box = QRect(0, -metrics_.ascent(), picture.size.width, picture.size.height)
                        .adjusted(-margin, -margin, margin, margin);
  const QPoint offset(box.left(), metrics_.ascent() + box.top());
  QImage image(box.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setFont(font_);
  painter.setPen(QColor::fromRgb(colour));
  painter.drawText(QPoint(-box.left(), -box.top()), s);
  painter.end();
  picture.ink = InkRunsOf(image, offset);
  picture.reach = QRect(offset, image.size());

  pictureBytes_ += picture.ink.size() * sizeof(InkRun) + sizeof(Picture) + key_.size();
  return pictures_.emplace(key_, std::move(picture)).first->second;
}

std::vector<InkRun> InkRunsOf(const QImage& image, QPoint offset) {
  std::vector<InkRun> runs;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = row[x];
      if (qAlpha(c) == 0) continue;
      if (qAlpha(c) == 255 && !runs.empty() && runs.back().colour == c &&
          runs.back().y == y + offset.y() && runs.back().x + runs.back().length == x + offset.x()) {
        ++runs.back().length;
        continue;
      }
      runs.push_back({static_cast<std::int16_t>(x + offset.x()),
                      static_cast<std::int16_t>(y + offset.y()), 1, c});
    }
  }
  return runs;
}

void BlitInk(const PixelRows& target, int x, int y, const std::vector<InkRun>& runs,
             const QRect& reach) {
  const QRect rows(0, target.top, target.width, target.bottom - target.top);
  const QRect placed = reach.translated(x, y);
  if (target.bits == nullptr || !rows.intersects(placed)) return;
  // Most pictures lie wholly inside: their runs need no bounds test.
  const bool inside = rows.contains(placed);
  const qsizetype stride = target.bytesPerLine / static_cast<qsizetype>(sizeof(QRgb));
  QRgb* const bits = reinterpret_cast<QRgb*>(target.bits);
  for (const InkRun& run : runs) {
    int left = x + run.x, length = run.length;
    const int py = y + run.y;
    if (!inside) {
      if (py < target.top || py >= target.bottom) continue;
      const int right = std::min(left + length, target.width);
      left = std::max(left, 0);
      length = right - left;
      if (length <= 0) continue;
    }
    QRgb* pixel = bits + py * stride + left;
    if (qAlpha(run.colour) == 255) {
      std::fill_n(pixel, length, run.colour);
      continue;
    }
    const int clear = 255 - qAlpha(run.colour);
    auto over = [clear](int ink, int under) { return ink + (under * clear + 127) / 255; };
    *pixel = qRgb(over(qRed(run.colour), qRed(*pixel)), over(qGreen(run.colour), qGreen(*pixel)),
                  over(qBlue(run.colour), qBlue(*pixel)));
  }
}

}  // namespace zelmora
