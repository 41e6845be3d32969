#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include <QRect>
#include <QSize>

#include "render/paint_op.h"

namespace zelmora {

// Rows of a picture, and the columns [left, right) in them that the calls
// found there reach.
struct DamagedBox {
  RowSpan rows;
  int left = 0, right = 0;
};

// Every pixel a label call may write: its box and its letters.
QRect LabelBox(const PaintOp& op);

// What differs between the calls of the last repaint and of this one.
// Calls equal in both and in the same order paint the same pixels, so only
// the rows that a call found in one of them alone may write to can differ.
struct RepaintDiff {
  bool same = false;               // the very calls of the last repaint
  bool tooMany = false;            // more calls differ than were worth following
  std::int64_t damagedPixels = 0;  // the pixels of `damage` together
  std::vector<DamagedBox> damage;  // sorted, apart from each other, a few at most
  // Where in this repaint's calls one was put in, changed or left out, in order.
  std::vector<std::size_t> changed;
};

// Pairs the calls of `before` and `now` in order, equal with equal, looking a
// few calls ahead for one left out or put in. Gives up (tooMany) past
// `mostChanges` unpaired calls.
RepaintDiff CompareRepaints(std::span<const PaintOp> before, std::span<const PaintOp> now,
                            QSize size, std::size_t mostChanges, double scale = 1);

// A repaint in layers: the calls [0, under) painted once into a picture kept
// underneath, [overBegin, overEnd) into one kept on top; the rest are painted
// at every repaint.
struct LayerPlan {
  std::size_t under = 0, overBegin = 0, overEnd = 0;
};

// Layers around the calls that `changed` names in a repaint of `count`
// calls, with room for the changes to spread; none when they would spare
// less than half the calls.
std::optional<LayerPlan> PlanLayers(const std::vector<std::size_t>& changed, std::size_t count);

}  // namespace zelmora
