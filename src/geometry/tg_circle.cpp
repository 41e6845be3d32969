// Placeholder bodies; the class's real geometry replaces them.
#include "geometry/tg_circle.h"

namespace zelmora {

void TGCircle::Draw(Canvas&, bool, bool, const DrawContext&) {}
double TGCircle::DistanceTo(double, double) const { return 1000.0; }
void TGCircle::Recompute() {}
void TGCircle::DragTo(int, int) {}
void TGCircle::ShiftTo(int, int) {}
void TGCircle::ScaleAbout(int, int, double) {}
void TGCircle::TranslateSaved(int, int, const TransformFrame&) {}
void TGCircle::RotateSaved(int, int, const TransformFrame&) {}
void TGCircle::ReflectInPoint(double, double) {}
void TGCircle::ReflectInLine(double, double, double, double) {}
void TGCircle::SavePosition() {}
double TGCircle::LabelX() const { return 0; }
double TGCircle::LabelY() const { return 0; }
void TGCircle::MoveLabel(int, int, const LabelMoveContext&) {}
void TGCircle::RebuildIncident() {}


}  // namespace zelmora
