#pragma once

#include <cstddef>

#include "geometry/tg_object.h"

// Rules that points, lines and circles share.
namespace zelmora {

// The rotation shared by points, line ends and circle centres: (sx, sy) turned
// about the frame's centre by the angle from (anchor - centre) to
// (mouse - centre). Returns false, changing nothing, when either vector is zero.
bool RotateAboutCenter(double sx, double sy, int mx, int my, const TransformFrame& frame,
                       double& outX, double& outY);

// The mirror image of (x, y) in the line through (x1, y1) and (x2, y2), which
// must differ.
void MirrorInLine(double& x, double& y, double x1, double y1, double x2, double y2);

// Moves a label offset by the mouse movement since (savedX, savedY), the rule
// shared by points and lines. Returns false when LabelControl refuses it.
bool MoveLabelOffset(TGObject& object, int mx, int my, const LabelMoveContext& context);

// The end test: position (px, py) lies at or beyond end E = (ex, ey) of a
// line whose other defining point is O = (ox, oy), within 0.1 per coordinate.
bool PastEnd(double ex, double ey, double ox, double oy, double px, double py);

class TGLine;

// The crossing of two lines, found along the first from its end 1; false for
// parallel lines or a line whose defining points coincide.
bool LineCrossing(const TGLine& first, const TGLine& second, double& x, double& y);

// The object (not a child of both) that lies on both a and b, or nullptr. Used
// by the line-circle and circle-circle intersections.
TGObject* FindCommonPoint(const TGObject& a, const TGObject& b);

}  // namespace zelmora
