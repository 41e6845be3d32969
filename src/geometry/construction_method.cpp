#include "geometry/construction_method.h"

#include <algorithm>

namespace zelmora {
namespace {

constexpr bool IsValueLetter(char letter) {
  return letter == 'A' || letter == 'D';
}

// A wrong row would misread documents or build from the wrong parents, so
// the table is checked where it is compiled.
constexpr bool TableIsConsistent() {
  for (std::size_t i = 0; i < kMethodCount; ++i) {
    const MethodInfo& m = kMethods[i];
    if (static_cast<std::size_t>(m.method) != i) return false;  // Info() indexes by method
    const bool free = m.parents.empty();
    // Whether a built method has its recompute function is checked by the
    // tests: comparing function pointers with null does not fold at compile
    // time under the undefined-behaviour sanitizer.
    // FindMethod counts codes on from the free method that opens each kind.
    const bool opensKind = i == 0 || kMethods[i - 1].kind != m.kind;
    if (opensKind != free) return false;
    if (!opensKind && Number(kMethods[i - 1].code) + 1 != Number(m.code)) return false;
    if (MethodRow(Number(m.code)) != static_cast<int>(i))
      return false;  // codes must not repeat across kinds
    if (m.parents.size() > 8) return false;
    for (std::size_t slot = 0; slot < m.parents.size(); ++slot) {
      if (m.ParentKind(slot) < kPointKind || m.ParentKind(slot) > kLengthKind) return false;
    }
    for (std::size_t slot = 0; slot < 8; ++slot) {
      if (!m.PassesThroughParent(slot)) continue;
      // Incidence holds between a point and a line or circle only.
      if (slot >= m.parents.size()) return false;
      const bool pointOnCurve = m.kind == kPointKind
                                    ? m.parents[slot] == 'L' || m.parents[slot] == 'C'
                                    : m.parents[slot] == 'P';
      if (!pointOnCurve) return false;
    }
    const bool valueLast = !free && IsValueLetter(m.parents.back());
    if (m.takesValue != valueLast) return false;
    for (std::size_t slot = 0; slot + 1 < m.parents.size(); ++slot) {
      if (IsValueLetter(m.parents[slot])) return false;
    }
  }
  return true;
}
static_assert(TableIsConsistent());
static_assert(method_table::kPointMethods.count + method_table::kLineMethods.count +
                  method_table::kCircleMethods.count ==
              kMethodCount);

}  // namespace

bool ChildPassesThrough(const TGObject& child, const TGObject& parent) {
  const MethodInfo* method = MethodOf(child);
  if (method == nullptr) return false;
  const std::size_t slots = std::min(method->parents.size(), child.Parents.size());
  for (std::size_t slot = 0; slot < slots; ++slot) {
    if (method->PassesThroughParent(slot) && child.Parents[slot] == &parent) return true;
  }
  return false;
}

namespace {

// Calls `take` with the children built through `object`, then with the
// parents it passes through itself.
template <class Take>
void ForEachIncident(const TGObject& object, Take take) {
  for (TGObject* child : object.Children) {
    if (child != nullptr && ChildPassesThrough(*child, object)) take(child);
  }
  const MethodInfo* method = MethodOf(object);
  if (method == nullptr) return;
  // A document may be short of parents; only those present are added.
  const std::size_t slots = std::min(method->parents.size(), object.Parents.size());
  for (std::size_t slot = 0; slot < slots; ++slot) {
    TGObject* parent = object.Parents[slot];
    if (method->PassesThroughParent(slot) && parent != nullptr &&
        parent->Kind() == method->ParentKind(slot)) {
      take(parent);
    }
  }
}

}  // namespace

void RebuildIncidentByMethod(TGObject& object) {
  // Counted first: a list grown one object at a time keeps up to twice the
  // room, and every object of a drawing keeps one.
  std::size_t count = 0;
  ForEachIncident(object, [&count](TGObject*) { ++count; });
  object.Incident.clear();
  object.Incident.reserve(count);
  ForEachIncident(object, [&object](TGObject* o) { object.Incident.push_back(o); });
}

}  // namespace zelmora
