#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "document/document_file.h"
#include "document/macro_file.h"
#include "geometry/construction_method.h"
#include "geometry/object_list.h"

// What the macro fuzzer demands of any macro file: it is either refused with
// a reason, leaving the drawing untouched, or applied to a small drawing so
// that the links stay sound through an update and a deletion. Returns the
// fault found, or "".
namespace zelmora {

inline std::string SoundGraphFault(const ObjectList& list) {
  std::vector<std::pair<int, int>> fromParents, fromChildren;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TGObject& o = list[i];
    if (!ParentsFitMethod(o)) return "object " + std::to_string(i) + " misfits its method";
    for (const TGObject* p : o.Parents) fromParents.emplace_back(p->Index(), o.Index());
    for (const TGObject* c : o.Children) fromChildren.emplace_back(o.Index(), c->Index());
  }
  std::sort(fromParents.begin(), fromParents.end());
  std::sort(fromChildren.begin(), fromChildren.end());
  return fromParents == fromChildren ? std::string() : "parents and children disagree";
}

// Two of each kind, so arguments of one kind can be different objects.
inline void SmallDrawing(ObjectList& list) {
  for (int copy = 0; copy < 2; ++copy) {
    TGPoint& p = list.AddPoint();
    p.X = 100 + 200 * copy, p.Y = 50 + 30 * copy;
    TGLine& l = list.AddLine();
    l.X1 = 0, l.Y1 = 10 * copy, l.X2 = 300, l.Y2 = 200 - 40 * copy;
    l.Method = CodeOf(ConstructionMethod::FreeLine);
    TGCircle& c = list.AddCircle();
    c.CX = 150 + 50 * copy, c.CY = 120, c.R = 80 + 20 * copy;
    c.Method = CodeOf(ConstructionMethod::FreeCircle);
    list.AddAngle().Value = 30 + 15 * copy;
    list.AddLength().Value = 40 + 25 * copy;
  }
}

inline std::string MacroApplyFault(std::string_view bytes) {
  const MacroRead read = ReadMacroHeader(bytes);
  ObjectList list;
  SmallDrawing(list);
  const std::size_t before = list.size();
  std::vector<TGObject*> arguments;
  if (read.header) {
    for (std::size_t k = 0; k < read.header->arguments.size(); ++k) {
      const int kind = read.header->arguments[k].kind;
      arguments.push_back(&list[static_cast<std::size_t>(kind - 1 + 5 * (k % 2))]);
    }
  } else {
    arguments = {&list[0], &list[5]};
  }
  const MacroApplied applied = ApplyMacroBytes(bytes, list, arguments);
  if (applied.ok != read.header.has_value()) return "the header check and application disagree";
  if (!applied.ok) {
    if (applied.detail.empty() || read.detail.empty()) return "a refusal without a reason";
    return list.size() == before ? std::string() : "a refused macro left objects behind";
  }
  if (list.size() != before + applied.created) return "the count of new objects is wrong";
  std::string fault = SoundGraphFault(list);
  if (!fault.empty()) return fault;
  static_cast<TGPoint&>(list[0]).DragTo(170, 90);
  list.DeleteWithDescendants(0);
  return SoundGraphFault(list);
}

}  // namespace zelmora
