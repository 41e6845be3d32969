// Placeholder bodies; the class's real geometry replaces them.
#include "geometry/tg_line.h"

namespace zelmora {

void TGLine::Draw(Canvas&, bool, bool, const DrawContext&) {}
double TGLine::DistanceTo(double, double) const { return 1000.0; }
void TGLine::Recompute() {}
void TGLine::DragTo(int, int) {}
void TGLine::ShiftTo(int, int) {}
void TGLine::ScaleAbout(int, int, double) {}
void TGLine::TranslateSaved(int, int, const TransformFrame&) {}
void TGLine::RotateSaved(int, int, const TransformFrame&) {}
void TGLine::ReflectInPoint(double, double) {}
void TGLine::ReflectInLine(double, double, double, double) {}
void TGLine::SavePosition() {}
double TGLine::LabelX() const { return 0; }
double TGLine::LabelY() const { return 0; }
void TGLine::MoveLabel(int, int, const LabelMoveContext&) {}
void TGLine::RebuildIncident() {}
void TGLine::UpdateScreenEnds(int, int) {}

}  // namespace zelmora
