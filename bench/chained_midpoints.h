#pragma once

// The long macro that the macro benchmark applies and a test checks: two
// point arguments A and B, then `records` midpoints, the first of B and A,
// each next of the previous midpoint and A.
#include <string>

#include "document/macro_file.h"
#include "geometry/construction_method.h"

namespace zelmora::bench {

// A at (100, 50) and B at (900, 450), the macro's arguments.
inline void AddArgumentPoints(ObjectList& list) {
  for (double x : {100.0, 900.0}) {
    TGPoint& p = list.AddPoint();
    p.X = x;
    p.Y = x / 2;
    list.Complete(p, {}, CodeOf(ConstructionMethod::FreePoint));
  }
}

inline std::string ChainedMidpointMacro(int records) {
  ObjectList list;
  AddArgumentPoints(list);
  TGObject* previous = &list[1];
  for (int k = 0; k < records; ++k) {
    // Linked by hand: Complete would rebuild A's incident list, which grows
    // with every midpoint, each time.
    TGPoint& m = list.AddPoint();
    m.Parents = {previous, &list[0]};
    previous->Children.push_back(&m);
    list[0].Children.push_back(&m);
    m.Method = CodeOf(ConstructionMethod::Midpoint);
    m.Recompute();
    m.Mark = k + 1 == records ? 2 : 3;  // the last is the result
    m.MacroMark = true;
    previous = &m;
  }
  return WriteMacro(list, {"Цепочка", {0, 1}, {"", ""}, true});
}

}  // namespace zelmora::bench
