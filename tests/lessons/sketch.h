#pragma once

#include <string>
#include <utility>
#include <vector>

#include "geometry/construction_method.h"
#include "geometry/object_list.h"
#include "geometry/tg_value.h"

namespace zelmora::test {

// A drawing built in code the way the creation sequence builds it.
class Sketch {
 public:
  using M = ConstructionMethod;

  TGPoint& Point(double x, double y, std::string name = {}) {
    TGPoint& p = list.AddPoint();
    p.X = x, p.Y = y, p.MustDraw = true;
    if (!name.empty()) p.Name.swap(name);
    return p;
  }
  TGObject& Build(M method, std::vector<TGObject*> parents) {
    TGObject& object = *list.AddOfKind(Info(method).kind);
    list.Complete(object, parents, Info(method).code);
    return object;
  }
  // Both roots of a crossing, as the crossing tool makes them.
  std::pair<TGObject*, TGObject*> Cross(M first, TGObject& a, TGObject& b) {
    TGObject* one = &list.AddPoint();
    TGObject* two = &list.AddPoint();
    list.Complete({one, two}, {&a, &b}, Info(first).code);
    return {one, two};
  }
  TGLength& Length(double value) {
    TGLength& length = list.AddLength();
    length.Value = value;
    return length;
  }

  ObjectList list;
};

}  // namespace zelmora::test
