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

const LabelPictures::Picture& LabelPictures::Get(std::string_view text, QRgb colour) {
  key_.assign(reinterpret_cast<const char*>(&colour), sizeof colour);
  key_.append(text);
  const QByteArray lookup =
      QByteArray::fromRawData(key_.data(), static_cast<qsizetype>(key_.size()));
  if (auto it = pictures_.constFind(lookup); it != pictures_.constEnd()) return *it;
  const QByteArray key(key_.data(), static_cast<qsizetype>(key_.size()));

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
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(row[x]) == 0) continue;
      picture.ink.push_back({static_cast<std::int16_t>(x + offset.x()),
                             static_cast<std::int16_t>(y + offset.y()), row[x]});
    }
  }
  picture.reach = QRect(offset, image.size());

  const std::size_t bytes =
      picture.ink.size() * sizeof(Ink) + sizeof(Picture) + static_cast<std::size_t>(key.size());
  if (pictureBytes_ + bytes > kMaxPictureBytes) {
    pictures_.clear();
    pictureBytes_ = 0;
  }
  pictureBytes_ += bytes;
  return *pictures_.insert(key, std::move(picture));
}

}  // namespace zelmora
