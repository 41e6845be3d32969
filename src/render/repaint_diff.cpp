#include "render/repaint_diff.h"

#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <type_traits>

#include "render/label_pictures.h"

namespace zelmora {
namespace {

// How far ahead a call left out or put in is looked for.
constexpr std::size_t kLookAhead = 8;
// Damaged rows closer than this are painted as one span; each span costs a
// pass over every call.
constexpr int kJoinGap = 24;
constexpr std::size_t kMostSpans = 3;
// The fewest calls kept out of the layers around the changes, either side.
constexpr std::size_t kLeastRoom = 32;

// The columns a call may write to: those of its box for a label, a glyph
// or a fill, every one for a stroke.
std::pair<int, int> ColumnsOf(const PaintOp& op, int width, double scale) {
  int left = 0, right = width;
  switch (op.kind) {
    case PaintOp::Fill:
      left = op.a, right = op.c + 1;
      break;
    case PaintOp::Text: {
      const QRect box = LabelBox(op);
      left = box.left(), right = box.right() + 1;
      break;
    }
    case PaintOp::Glyph:
      left = op.a;
      right = op.a +
              static_cast<int>(std::ceil(static_cast<const QImage*>(op.item)->width() * scale)) +
              (scale == 1 ? 0 : 1);
      break;
    default:
      break;
  }
  return {std::clamp(left, 0, width), std::clamp(right, 0, width)};
}

struct Pairing {
  std::span<const PaintOp> before, now;
  QSize size;
  double scale;
  RepaintDiff diff;

  void Damage(const PaintOp& op) {
    const RowSpan rows = RowsOf(op, size.height(), scale);
    const auto [left, right] = ColumnsOf(op, size.width(), scale);
    if (rows.bottom > rows.top && right > left) diff.damage.push_back({rows, left, right});
  }
  // The calls before[i, i + left) and now[j, j + put) have no partner.
  void Unpaired(std::size_t i, std::size_t left, std::size_t j, std::size_t put) {
    for (std::size_t k = 0; k < left; ++k) Damage(before[i + k]);
    for (std::size_t k = 0; k < put; ++k) Damage(now[j + k]);
    const std::size_t last = std::max<std::size_t>(put, 1);
    for (std::size_t k = 0; k < last; ++k) diff.changed.push_back(j + k);
  }
  // Calls skipped from before[i] or now[j] until the two meet again: a call
  // left out or put in; {0, 0} when neither is found near.
  std::pair<std::size_t, std::size_t> Skip(std::size_t i, std::size_t j) const {
    for (std::size_t d = 1; d <= kLookAhead; ++d) {
      if (i + d < before.size() && before[i + d] == now[j]) return {d, 0};
      if (j + d < now.size() && before[i] == now[j + d]) return {0, d};
    }
    return {0, 0};
  }
};

// `into` grown to hold `box` too.
void Join(DamagedBox& into, const DamagedBox& box) {
  into.rows.bottom = std::max(into.rows.bottom, box.rows.bottom);
  into.left = std::min(into.left, box.left);
  into.right = std::max(into.right, box.right);
}

// Joins boxes of overlapping and near rows, then the nearest until a few
// are left.
std::vector<DamagedBox> Joined(std::vector<DamagedBox> boxes) {
  std::sort(boxes.begin(), boxes.end(),
            [](const DamagedBox& a, const DamagedBox& b) { return a.rows.top < b.rows.top; });
  std::vector<DamagedBox> joined;
  for (const DamagedBox& b : boxes) {
    if (!joined.empty() && b.rows.top <= joined.back().rows.bottom + kJoinGap) {
      Join(joined.back(), b);
    } else {
      joined.push_back(b);
    }
  }
  auto gap = [&joined](std::size_t k) { return joined[k + 1].rows.top - joined[k].rows.bottom; };
  while (joined.size() > kMostSpans) {
    std::size_t nearest = 0;
    for (std::size_t k = 1; k + 1 < joined.size(); ++k) {
      if (gap(k) < gap(nearest)) nearest = k;
    }
    Join(joined[nearest], joined[nearest + 1]);
    joined.erase(joined.begin() + static_cast<std::ptrdiff_t>(nearest) + 1);
  }
  return joined;
}

}  // namespace

RowSpan RowsOf(const PaintOp& op, int height, double scale) {
  // A stroke reaches no further than its pen's width (and a pixel of
  // rounding, one more on a picture of finer pixels) beyond the rows of its
  // ends or its box.
  const int reach = static_cast<int>(std::ceil(op.penWidth * scale)) + (scale == 1 ? 2 : 3);
  int top = 0, bottom = 0;
  switch (op.kind) {
    case PaintOp::Fill:
      top = op.b, bottom = op.d + 1;
      break;
    case PaintOp::Text:
      top = op.c, bottom = op.d + 1;
      break;
    case PaintOp::Glyph:
      // On finer pixels the glyph is a smoothed disc as many times larger.
      top = op.b,
      bottom = op.b +
               static_cast<int>(std::ceil(static_cast<const QImage*>(op.item)->height() * scale)) +
               (scale == 1 ? 0 : 1);
      break;
    default:
      top = std::min(op.b, op.d) - reach, bottom = std::max(op.b, op.d) + reach + 1;
      break;
  }
  return {std::clamp(top, 0, height), std::clamp(bottom, 0, height)};
}

bool SameCalls(std::span<const PaintOp> a, std::span<const PaintOp> b) {
  static_assert(std::has_unique_object_representations_v<PaintOp>);
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size_bytes()) == 0);
}

QRect LabelBox(const PaintOp& op) {
  const auto* picture = static_cast<const LabelPictures::Picture*>(op.item);
  const QRect letters =
      op.letters != nullptr ? static_cast<const PackedMask*>(op.letters)->box : picture->reach;
  return (letters | QRect(0, 0, picture->size.width, picture->size.height)).translated(op.a, op.b);
}

RepaintDiff CompareRepaints(std::span<const PaintOp> before, std::span<const PaintOp> now,
                            QSize size, std::size_t mostChanges, double scale) {
  Pairing p{before, now, size, scale, {}};
  std::size_t i = 0, j = 0;
  while (i < before.size() && j < now.size() && p.diff.changed.size() <= mostChanges) {
    if (before[i] == now[j]) {
      ++i, ++j;
      continue;
    }
    const auto [left, put] = p.Skip(i, j);
    const bool replaced = left == 0 && put == 0;
    p.Unpaired(i, replaced ? 1 : left, j, replaced ? 1 : put);
    i += replaced ? 1 : left;
    j += replaced ? 1 : put;
  }
  RepaintDiff& diff = p.diff;
  if (diff.changed.size() <= mostChanges && (i < before.size() || j < now.size())) {
    p.Unpaired(i, before.size() - i, j, now.size() - j);
  }
  diff.tooMany = diff.changed.size() > mostChanges;
  if (diff.tooMany) return std::move(diff);
  diff.same = diff.changed.empty();
  diff.damage = Joined(std::move(diff.damage));
  for (const DamagedBox& b : diff.damage) {
    diff.damagedPixels += std::int64_t{b.rows.bottom - b.rows.top} * (b.right - b.left);
  }
  return diff;
}

std::optional<LayerPlan> PlanLayers(const std::vector<std::size_t>& changed, std::size_t count) {
  if (changed.empty() || count == 0) return std::nullopt;
  // The longest stretch of unchanged calls after the first change goes on top.
  std::size_t from = changed.front() + 1, to = from, start = from;
  for (std::size_t k = 1; k <= changed.size(); ++k) {
    const std::size_t end = k < changed.size() ? changed[k] : count;
    if (end > start && end - start > to - from) from = start, to = end;
    if (k < changed.size()) start = std::max(start, changed[k] + 1);
  }
  to = std::min(to, count);
  // The changes spread as a drag goes on: room for as many again either side.
  const std::size_t room = std::max(kLeastRoom, from - changed.front());
  LayerPlan plan;
  plan.under = changed.front() > room ? changed.front() - room : 0;
  plan.overBegin = std::min(from + room, to);
  plan.overEnd = to;
  if (plan.under + (plan.overEnd - plan.overBegin) < count / 2) return std::nullopt;
  return plan;
}

}  // namespace zelmora
