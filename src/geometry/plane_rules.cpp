#include "geometry/plane_rules.h"

#include <cmath>

#include "geometry/change_log.h"
#include "geometry/tg_line.h"
#include "geometry/tg_point.h"

namespace zelmora {

bool RotateAboutCenter(double sx, double sy, int mx, int my, const TransformFrame& frame,
                       double& outX, double& outY) {
  const double cx = frame.centerX, cy = frame.centerY;
  const double gx = mx - cx, gy = my - cy;
  const double ox = frame.anchorX - cx, oy = frame.anchorY - cy;
  if ((gx == 0 && gy == 0) || (ox == 0 && oy == 0)) return false;
  const double ex = sx - cx, ey = sy - cy;
  const double t = std::sqrt(ex * ex + ey * ey);
  if (t == 0) {
    outX = cx;
    outY = cy;
    return true;
  }
  const double og = std::sqrt(ox * ox + oy * oy), gg = std::sqrt(gx * gx + gy * gy);
  const double oux = ox / og, ouy = oy / og, gux = gx / gg, guy = gy / gg;
  const double cosT = oux * gux + ouy * guy;
  const double sinT = oux * guy - gux * ouy;
  outX = cx + ex * cosT - ey * sinT;
  outY = cy + ey * cosT + ex * sinT;
  return true;
}

void MirrorInLine(double& x, double& y, double x1, double y1, double x2, double y2) {
  const double dx = x2 - x1, dy = y2 - y1;
  const double t = ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy);
  const double fx = x1 + t * dx, fy = y1 + t * dy;
  x = 2 * fx - x;
  y = 2 * fy - y;
}

bool MoveLabelOffset(TGObject& object, int mx, int my, const LabelMoveContext& context) {
  const double nx = mx + object.LabelOffsetX - object.SavedX;
  const double ny = my + object.LabelOffsetY - object.SavedY;
  if (context.labelControl && nx * nx + ny * ny >= kLabelLimit * kLabelLimit) {
    if (context.cursor != nullptr) context.cursor->PutCursorAt(object.SavedX, object.SavedY);
    return false;
  }
  ChangeLog::Restyling(object);
  object.LabelOffsetX = nx;
  object.LabelOffsetY = ny;
  object.SavedX = mx;
  object.SavedY = my;
  return true;
}

bool PastEnd(double ex, double ey, double ox, double oy, double px, double py) {
  return std::abs(ex - px) + std::abs(ex - ox) <= std::abs(px - ox) + 0.1 &&
         std::abs(ey - py) + std::abs(ey - oy) <= std::abs(py - oy) + 0.1;
}

bool LineCrossing(const TGLine& first, const TGLine& second, double& x, double& y) {
  const double ux = first.X2 - first.X1, uy = first.Y2 - first.Y1;
  const double vx = second.X2 - second.X1, vy = second.Y2 - second.Y1;
  if (uy * vx == ux * vy) return false;
  const double t =
      ((second.X1 - first.X1) * vy - vx * (second.Y1 - first.Y1)) / (ux * vy - uy * vx);
  x = first.X1 + t * ux;
  y = first.Y1 + t * uy;
  return true;
}

// Scans a's incident objects in order and, for each, b's; the last pair that
// qualifies wins, as the intersection methods expect.
TGObject* FindCommonPoint(const TGObject& a, const TGObject& b) {
  TGObject* found = nullptr;
  for (TGObject* ka : a.Incident) {
    for (TGObject* kb : b.Incident) {
      if (ka != kb) continue;
      if (!a.HasChild(ka) || !b.HasChild(ka)) found = ka;
    }
  }
  return found;
}

}  // namespace zelmora
