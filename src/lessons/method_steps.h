#pragma once

#include <cstddef>
#include <string_view>

#include "geometry/construction_method.h"

// What each construction costs a pupil in a lesson, and which of them a
// ruler and a compass can do. Kept beside the method table, row for row.
namespace zelmora {

struct MethodSteps {
  ConstructionMethod method;
  int toolUses;       // L: 1 for a tool that draws; 0 for marking a point
  int elementary;     // E: the lines and circles its classic construction draws
  bool compassRuler;  // one of the "compass and ruler" set of a lesson
};

const MethodSteps& StepsOf(ConstructionMethod method);

// The steps of an object, by its Method; zero for values and unknown codes.
MethodSteps StepsOfObject(const TGObject& object);

// Whether the object's own place is chosen by hand (a drag moves it) rather
// than computed: free points, lines, circles and points slid along an object.
bool PlacedByHand(const TGObject& object);

// The root a crossing method does not take, for crossings with two roots.
bool HasOtherRoot(ConstructionMethod method);
ConstructionMethod OtherRoot(ConstructionMethod method);

}  // namespace zelmora
