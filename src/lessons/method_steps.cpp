#include "lessons/method_steps.h"

namespace zelmora {
namespace {

using M = ConstructionMethod;
constexpr bool kCompassRuler = true, kOther = false;

// clang-format off
constexpr MethodSteps kSteps[] = {
  // Marking a point costs nothing, as in the puzzle games: only what draws counts.
  {M::FreePoint,                0, 0, kCompassRuler},  // an arbitrary point
  {M::PointOnLine,              0, 0, kCompassRuler},  // an arbitrary point on a line
  {M::PointOnCircle,            0, 0, kCompassRuler},  // an arbitrary point on a circle
  {M::LinesCrossing,            0, 0, kCompassRuler},  // where two drawn lines meet
  {M::LineCircleFirst,          0, 0, kCompassRuler},  // where a drawn line meets a drawn circle
  {M::LineCircleSecond,         0, 0, kCompassRuler},  // the other root of the same crossing
  {M::CirclesFirst,             0, 0, kCompassRuler},  // where two drawn circles meet
  {M::CirclesSecond,            0, 0, kCompassRuler},  // the other root of the same crossing
  {M::Projection,               1, 3, kOther},  // circles about two points of the line through P, the line through their crossings
  {M::Midpoint,                 1, 4, kOther},  // circles about both ends through the other, the line through their crossings, the line AB
  {M::PointAtDistance,          1, 2, kOther},  // the line through both points and a circle of the carried radius
  {M::CircleCentre,             1, 6, kOther},  // perpendicular bisectors of two chords sharing an end: three each
  {M::FreeLine,                 1, 1, kCompassRuler},  // a line laid anywhere with the ruler
  {M::LineThroughTwoPoints,     1, 1, kCompassRuler},  // the ruler through two points
  {M::ParallelLine,             1, 4, kOther},  // three circles of one radius make a rhombus, then its side through P
  {M::PerpendicularLine,        1, 3, kOther},  // circles about two points of the line through P, the line through their crossings
  {M::PerpendicularBisector,    1, 3, kOther},  // circles about both ends through the other, the line through their crossings
  {M::Segment,                  1, 1, kCompassRuler},  // the ruler between two points
  {M::LineAtAngleOfThreePoints, 1, 4, kOther},  // laying off an angle: a circle at each vertex, one for the chord, the side
  {M::LineAtConstantAngle,      1, 1, kOther},  // an angle typed in has no classic construction: one line, as a protractor draws it
  {M::BisectorOfThreePoints,    1, 4, kOther},  // a circle about the vertex, circles about its two crossings, the bisector
  {M::Ray,                      1, 1, kCompassRuler},  // the ruler from a point through another
  {M::BisectorOfTwoLines,       1, 4, kOther},  // as the bisector of an angle, its vertex where the lines meet
  {M::LineAtAngleOfTwoLines,    1, 4, kOther},  // laying off the angle between two lines at a point
  {M::FreeCircle,               1, 1, kCompassRuler},  // a circle of any radius anywhere
  {M::CircleByCentreAndPoint,   1, 1, kCompassRuler},  // the compass about a centre through a point
  {M::CircleByCentreAndRadius,  1, 1, kCompassRuler},  // the compass keeps its opening from one place to another
  {M::CircleThroughThreePoints, 1, 7, kOther},  // two perpendicular bisectors meet at the centre, then the circle
};
// clang-format on

constexpr bool RowsFollowMethods() {
  if (std::size(kSteps) != kMethodCount) return false;
  for (std::size_t i = 0; i < kMethodCount; ++i) {
    if (kSteps[i].method != kMethods[i].method) return false;
  }
  return true;
}
static_assert(RowsFollowMethods(), "one row per construction method, in the method table's order");

}  // namespace

const MethodSteps& StepsOf(ConstructionMethod method) {
  return kSteps[static_cast<std::size_t>(method)];
}

MethodSteps StepsOfObject(const TGObject& object) {
  const MethodInfo* method = MethodOf(object);
  if (method == nullptr) return {ConstructionMethod::FreePoint, 0, 0, false};
  return StepsOf(method->method);
}

bool PlacedByHand(const TGObject& object) {
  const MethodInfo* method = MethodOf(object);
  return method != nullptr && method->draggable;
}

bool HasOtherRoot(ConstructionMethod method) {
  switch (method) {
    case M::LineCircleFirst:
    case M::LineCircleSecond:
    case M::CirclesFirst:
    case M::CirclesSecond:
      return true;
    default:
      return false;
  }
}

ConstructionMethod OtherRoot(ConstructionMethod method) {
  switch (method) {
    case M::LineCircleFirst:
      return M::LineCircleSecond;
    case M::LineCircleSecond:
      return M::LineCircleFirst;
    case M::CirclesFirst:
      return M::CirclesSecond;
    case M::CirclesSecond:
      return M::CirclesFirst;
    default:
      return method;
  }
}

}  // namespace zelmora
