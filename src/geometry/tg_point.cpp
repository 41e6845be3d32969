// Placeholder bodies; the class's real geometry replaces them.
#include "geometry/tg_point.h"

namespace zelmora {

void TGPoint::Draw(Canvas&, bool, bool, const DrawContext&) {}
double TGPoint::DistanceTo(double, double) const { return 1000.0; }
void TGPoint::Recompute() {}
void TGPoint::DragTo(int, int) {}
void TGPoint::ShiftTo(int, int) {}
void TGPoint::ScaleAbout(int, int, double) {}
void TGPoint::TranslateSaved(int, int, const TransformFrame&) {}
void TGPoint::RotateSaved(int, int, const TransformFrame&) {}
void TGPoint::ReflectInPoint(double, double) {}
void TGPoint::ReflectInLine(double, double, double, double) {}
void TGPoint::SavePosition() {}
double TGPoint::LabelX() const { return 0; }
double TGPoint::LabelY() const { return 0; }
void TGPoint::MoveLabel(int, int, const LabelMoveContext&) {}
void TGPoint::RebuildIncident() {}


}  // namespace zelmora
