#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "geometry/method_code.h"
#include "geometry/tg_circle.h"
#include "geometry/tg_line.h"
#include "geometry/tg_object.h"
#include "geometry/tg_point.h"

// Every construction the program knows, in one table: what it builds, from
// which parents, how it recomputes, and how the rest of the program treats
// it. Documents, macros and the step table identify a method by its code,
// which therefore never changes.
namespace zelmora {

enum class ConstructionMethod : std::uint8_t {
  FreePoint,
  PointOnLine,
  PointOnCircle,
  LinesCrossing,
  LineCircleFirst,
  LineCircleSecond,
  CirclesFirst,
  CirclesSecond,
  Projection,
  Midpoint,
  PointAtDistance,
  CircleCentre,
  FreeLine,
  LineThroughTwoPoints,
  ParallelLine,
  PerpendicularLine,
  PerpendicularBisector,
  Segment,
  LineAtAngleOfThreePoints,
  LineAtConstantAngle,
  BisectorOfThreePoints,
  Ray,
  BisectorOfTwoLines,
  LineAtAngleOfTwoLines,
  FreeCircle,
  CircleByCentreAndPoint,
  CircleByCentreAndRadius,
  CircleThroughThreePoints,
};

// The recomputations, each beside the class it computes.
namespace recompute {
void PointOnLine(TGPoint& point);
void PointOnCircle(TGPoint& point);
void LinesCrossing(TGPoint& point);
void LineCircleFirst(TGPoint& point);
void LineCircleSecond(TGPoint& point);
void CirclesFirst(TGPoint& point);
void CirclesSecond(TGPoint& point);
void Projection(TGPoint& point);
void Midpoint(TGPoint& point);
void PointAtDistance(TGPoint& point);
void CircleCentre(TGPoint& point);
void LineThroughTwoPoints(TGLine& line);
void ParallelLine(TGLine& line);
void PerpendicularLine(TGLine& line);
void PerpendicularBisector(TGLine& line);
void Segment(TGLine& line);
void LineAtAngleOfThreePoints(TGLine& line);
void LineAtConstantAngle(TGLine& line);
void BisectorOfThreePoints(TGLine& line);
void Ray(TGLine& line);
void BisectorOfTwoLines(TGLine& line);
void LineAtAngleOfTwoLines(TGLine& line);
void CircleByCentreAndPoint(TGCircle& circle);
void CircleByCentreAndRadius(TGCircle& circle);
void CircleThroughThreePoints(TGCircle& circle);

// The table calls every routine through one signature; the lookup by kind
// guarantees the object is of the routine's class.
template <class T, void (*Compute)(T&)>
void As(TGObject& object) {
  Compute(static_cast<T&>(object));
}
}  // namespace recompute

// What a recompute reads besides its parents; opening orders its recomputes
// by it.
enum class Reads : std::uint8_t {
  kParentsOnly,
  // A slider projects from where it stands, so every position its carrier
  // passes through counts.
  kOwnPlace,
  // A crossing may copy a known common point of its two curves, found
  // through a parent's incident list above it.
  kCommonPoint,
};

struct MethodInfo {
  ConstructionMethod method;
  MethodCode code;  // never changes: documents, macros and the step table store it
  ObjectKind kind;
  // One letter per parent, in stored order: P point, L line, C circle,
  // A angle, D length (a distance).
  std::string_view parents;
  // Bit i set: parent i lies on the object, or the object on it. Those are
  // the incidences the intersections search for a common point.
  std::uint8_t passesThrough;
  bool draggable;                // a drag moves it, rather than being undone by its recompute
  bool takesValue;               // its last parent is an angle or length the user types in
  void (*recompute)(TGObject&);  // nullptr for free objects: they keep their data
  Reads reads = Reads::kParentsOnly;

  constexpr ObjectKind ParentKind(std::size_t slot) const {
    constexpr std::string_view kLetters = " PLCAD";  // each at its kind code
    return static_cast<ObjectKind>(kLetters.find(parents[slot]));
  }
  constexpr bool PassesThroughParent(std::size_t slot) const {
    return slot < 8 && (passesThrough >> slot & 1) != 0;
  }
  // The parents the user picks; the typed-in value is not picked.
  constexpr std::size_t PickCount() const { return parents.size() - (takesValue ? 1 : 0); }
};

namespace method_table {
using M = ConstructionMethod;
constexpr bool kDrag = true, kFixed = false;
constexpr bool kValue = true, kNoValue = false;
template <class T, void (*F)(T&)>
constexpr void (*Run)(TGObject&) = &recompute::As<T, F>;
constexpr std::uint8_t kNone = 0, kFirst = 1, kSecond = 2, kFirstTwo = 3, kAllThree = 7;
constexpr Reads kOwnPlace = Reads::kOwnPlace, kCommonPoint = Reads::kCommonPoint;

// clang-format off
inline constexpr MethodInfo kMethods[] = {
  // method                       code             kind         parents  through    drag    value     recompute (reads)
  {M::FreePoint,                  MethodCode{0},   kPointKind,  "",      kNone,     kDrag,  kNoValue, nullptr},
  {M::PointOnLine,                MethodCode{1},   kPointKind,  "L",     kFirst,    kDrag,  kNoValue, Run<TGPoint, recompute::PointOnLine>, kOwnPlace},
  {M::PointOnCircle,              MethodCode{2},   kPointKind,  "C",     kFirst,    kDrag,  kNoValue, Run<TGPoint, recompute::PointOnCircle>, kOwnPlace},
  {M::LinesCrossing,              MethodCode{3},   kPointKind,  "LL",    kFirstTwo, kFixed, kNoValue, Run<TGPoint, recompute::LinesCrossing>},
  {M::LineCircleFirst,            MethodCode{4},   kPointKind,  "LC",    kFirstTwo, kFixed, kNoValue, Run<TGPoint, recompute::LineCircleFirst>, kCommonPoint},
  {M::LineCircleSecond,           MethodCode{5},   kPointKind,  "LC",    kFirstTwo, kFixed, kNoValue, Run<TGPoint, recompute::LineCircleSecond>, kCommonPoint},
  {M::CirclesFirst,               MethodCode{6},   kPointKind,  "CC",    kFirstTwo, kFixed, kNoValue, Run<TGPoint, recompute::CirclesFirst>, kCommonPoint},
  {M::CirclesSecond,              MethodCode{7},   kPointKind,  "CC",    kFirstTwo, kFixed, kNoValue, Run<TGPoint, recompute::CirclesSecond>, kCommonPoint},
  {M::Projection,                 MethodCode{8},   kPointKind,  "PL",    kSecond,   kFixed, kNoValue, Run<TGPoint, recompute::Projection>},
  {M::Midpoint,                   MethodCode{9},   kPointKind,  "PP",    kNone,     kFixed, kNoValue, Run<TGPoint, recompute::Midpoint>},
  {M::PointAtDistance,            MethodCode{10},  kPointKind,  "PPD",   kNone,     kFixed, kValue,   Run<TGPoint, recompute::PointAtDistance>},
  {M::CircleCentre,               MethodCode{11},  kPointKind,  "C",     kNone,     kFixed, kNoValue, Run<TGPoint, recompute::CircleCentre>},
  {M::FreeLine,                   MethodCode{100}, kLineKind,   "",      kNone,     kDrag,  kNoValue, nullptr},
  {M::LineThroughTwoPoints,       MethodCode{101}, kLineKind,   "PP",    kFirstTwo, kFixed, kNoValue, Run<TGLine, recompute::LineThroughTwoPoints>},
  {M::ParallelLine,               MethodCode{102}, kLineKind,   "PL",    kFirst,    kFixed, kNoValue, Run<TGLine, recompute::ParallelLine>},
  {M::PerpendicularLine,          MethodCode{103}, kLineKind,   "PL",    kFirst,    kFixed, kNoValue, Run<TGLine, recompute::PerpendicularLine>},
  {M::PerpendicularBisector,      MethodCode{104}, kLineKind,   "PP",    kNone,     kFixed, kNoValue, Run<TGLine, recompute::PerpendicularBisector>},
  {M::Segment,                    MethodCode{105}, kLineKind,   "PP",    kFirstTwo, kFixed, kNoValue, Run<TGLine, recompute::Segment>},
  {M::LineAtAngleOfThreePoints,   MethodCode{106}, kLineKind,   "PLPPP", kFirst,    kFixed, kNoValue, Run<TGLine, recompute::LineAtAngleOfThreePoints>},
  {M::LineAtConstantAngle,        MethodCode{107}, kLineKind,   "PLA",   kFirst,    kFixed, kValue,   Run<TGLine, recompute::LineAtConstantAngle>},
  {M::BisectorOfThreePoints,      MethodCode{108}, kLineKind,   "PPP",   kSecond,   kFixed, kNoValue, Run<TGLine, recompute::BisectorOfThreePoints>},
  {M::Ray,                        MethodCode{109}, kLineKind,   "PP",    kNone,     kFixed, kNoValue, Run<TGLine, recompute::Ray>},
  {M::BisectorOfTwoLines,         MethodCode{110}, kLineKind,   "LL",    kNone,     kFixed, kNoValue, Run<TGLine, recompute::BisectorOfTwoLines>},
  {M::LineAtAngleOfTwoLines,      MethodCode{111}, kLineKind,   "PLLL",  kNone,     kFixed, kNoValue, Run<TGLine, recompute::LineAtAngleOfTwoLines>},
  {M::FreeCircle,                 MethodCode{200}, kCircleKind, "",      kNone,     kDrag,  kNoValue, nullptr},
  {M::CircleByCentreAndPoint,     MethodCode{201}, kCircleKind, "PP",    kSecond,   kFixed, kNoValue, Run<TGCircle, recompute::CircleByCentreAndPoint>},
  {M::CircleByCentreAndRadius,    MethodCode{202}, kCircleKind, "PPP",   kNone,     kFixed, kNoValue, Run<TGCircle, recompute::CircleByCentreAndRadius>},
  {M::CircleThroughThreePoints,   MethodCode{203}, kCircleKind, "PPP",   kAllThree, kFixed, kNoValue, Run<TGCircle, recompute::CircleThroughThreePoints>},
};
// clang-format on
}  // namespace method_table

using method_table::kMethods;
inline constexpr std::size_t kMethodCount = std::size(kMethods);

inline constexpr const MethodInfo& Info(ConstructionMethod method) {
  return kMethods[static_cast<std::size_t>(method)];
}
constexpr MethodCode CodeOf(ConstructionMethod method) {
  return Info(method).code;
}

// A crossing with two roots is built as a pair: this method's object and,
// next to it, one of the method that follows with the other root.
constexpr bool BuildsPair(MethodCode code) {
  return code == CodeOf(ConstructionMethod::LineCircleFirst) ||
         code == CodeOf(ConstructionMethod::CirclesFirst);
}

namespace method_table {
// Where the methods of one kind sit in the table.
struct KindRange {
  std::size_t first = 0, count = 0;
};
constexpr KindRange RangeOf(ObjectKind kind) {
  KindRange range{kMethodCount, 0};
  for (std::size_t i = 0; i < kMethodCount; ++i) {
    if (kMethods[i].kind != kind) continue;
    if (range.count == 0) range.first = i;
    ++range.count;
  }
  return range;
}
inline constexpr KindRange kPointMethods = RangeOf(kPointKind);
inline constexpr KindRange kLineMethods = RangeOf(kLineKind);
inline constexpr KindRange kCircleMethods = RangeOf(kCircleKind);
}  // namespace method_table

// The row of the method an object of `kind` stores as `code`; -1 for a pair
// that no construction uses (such an object is left as it is, like a free one).
// Rows, not pointers: the table's compile-time check must not compare pointers
// with null, which GCC cannot fold under the undefined-behaviour sanitizer.
constexpr int MethodRow(int kind, int code) {
  method_table::KindRange range;
  switch (kind) {
    case kPointKind:
      range = method_table::kPointMethods;
      break;
    case kLineKind:
      range = method_table::kLineMethods;
      break;
    case kCircleKind:
      range = method_table::kCircleMethods;
      break;
    default:
      return -1;
  }
  // The codes of one kind run without gaps from its free method's code.
  const int offset = code - Number(kMethods[range.first].code);
  if (offset < 0 || offset >= static_cast<int>(range.count)) return -1;
  return static_cast<int>(range.first) + offset;
}

// The row of the method stored as `code`, whatever it builds: no two kinds
// share a code.
constexpr int MethodRow(int code) {
  for (int kind : {kPointKind, kLineKind, kCircleKind}) {
    if (const int row = MethodRow(kind, code); row >= 0) return row;
  }
  return -1;
}

constexpr const MethodInfo* FindMethod(int kind, MethodCode code) {
  const int row = MethodRow(kind, Number(code));
  return row < 0 ? nullptr : &kMethods[static_cast<std::size_t>(row)];
}

constexpr const MethodInfo* FindMethod(MethodCode code) {
  const int row = MethodRow(Number(code));
  return row < 0 ? nullptr : &kMethods[static_cast<std::size_t>(row)];
}

inline const MethodInfo* MethodOf(const TGObject& object) {
  return FindMethod(object.Kind(), object.Method);
}

// Recomputes `object` from its parents by its Method; free objects and
// unknown methods keep their data.
inline void RecomputeByMethod(TGObject& object, int kind) {
  const MethodInfo* method = FindMethod(kind, object.Method);
  if (method != nullptr && method->recompute != nullptr) method->recompute(object);
}

// Whether `child`, built on `parent`, passes through it (or lies on it).
bool ChildPassesThrough(const TGObject& child, const TGObject& parent);

// Refills `object`'s Incident list: first its children that pass through it,
// in Children order, then the parents its own method passes through.
void RebuildIncidentByMethod(TGObject& object);

}  // namespace zelmora
