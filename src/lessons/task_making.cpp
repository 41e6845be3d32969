#include "lessons/task_making.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <utility>

#include "document/document_file.h"
#include "lessons/method_steps.h"

namespace zelmora {
namespace {

using ObjectSet = std::unordered_set<const TGObject*>;

// `from` and everything it is built on, stopping at objects already in `set`.
void AddAncestors(const TGObject& from, ObjectSet& set) {
  std::vector<const TGObject*> stack{&from};
  while (!stack.empty()) {
    const TGObject* object = stack.back();
    stack.pop_back();
    if (!set.insert(object).second) continue;
    for (const TGObject* parent : object->Parents) stack.push_back(parent);
  }
}

// The first object placed by hand that `target` rests on, the givens aside.
const TGObject* HandPlacedAncestor(const TGObject& target, const ObjectSet& givens) {
  ObjectSet seen = givens;
  std::vector<const TGObject*> stack{&target};
  while (!stack.empty()) {
    const TGObject* object = stack.back();
    stack.pop_back();
    if (!seen.insert(object).second) continue;
    if (PlacedByHand(*object)) return object;
    for (const TGObject* parent : object->Parents) stack.push_back(parent);
  }
  return nullptr;
}

// Removes from `list` every object not in `keep`; `keep` holds everything its
// members are built on, so no kept object goes with a removed one.
void KeepOnly(ObjectList& list, const ObjectSet& keep) {
  for (std::size_t i = list.size(); i-- > 0;) {
    if (i < list.size() && keep.count(&list[i]) == 0) list.DeleteWithDescendants(i);
  }
}

// Puts the givens first, each part keeping its order.
void GivensFirst(ObjectList& list, const ObjectSet& givens) {
  std::vector<std::size_t> all(list.size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
  std::vector<std::unique_ptr<TGObject>> objects = list.TakeOut(all);
  std::stable_partition(objects.begin(), objects.end(),
                        [&](const auto& object) { return givens.count(object.get()) != 0; });
  std::vector<std::pair<std::size_t, std::unique_ptr<TGObject>>> placed;
  for (std::size_t i = 0; i < objects.size(); ++i) placed.emplace_back(i, std::move(objects[i]));
  list.PutIn(std::move(placed));
  RecomputeLoaded(list);
}

MakeTaskResult Refused(std::string error, int target = -1, int restsOn = -1) {
  return {false, target, restsOn, std::move(error)};
}

}  // namespace

MakeTaskResult MakeTask(const ObjectList& drawing, const std::vector<int>& givens,
                        const std::vector<int>& targets, Task& task) {
  Task made;
  DocumentInfo info;
  if (!ReadPlane(WritePlane(drawing, {}), made.construction, info).ok()) {
    return Refused("the drawing does not copy");
  }
  ObjectList& list = made.construction;
  for (const auto* numbers : {&givens, &targets}) {
    for (int n : *numbers) {
      if (list.at(n) == nullptr) return Refused("the drawing has no object " + std::to_string(n));
    }
  }
  ObjectSet givenSet;
  for (int n : givens) AddAncestors(*list.at(n), givenSet);
  ObjectSet keep = givenSet;
  for (int n : targets) {
    const TGObject& target = *list.at(n);
    if (givenSet.count(&target) != 0) {
      return Refused("object " + std::to_string(n) + " is given, not a target", n);
    }
    if (const TGObject* free = HandPlacedAncestor(target, givenSet)) {
      return Refused("target " + std::to_string(n) + " rests on object " +
                         std::to_string(free->Index()) + ", which is not given",
                     n, free->Index());
    }
    AddAncestors(target, keep);
  }
  std::vector<const TGObject*> targetObjects;
  for (int n : targets) targetObjects.push_back(list.at(n));
  KeepOnly(list, keep);
  GivensFirst(list, givenSet);
  made.givenCount = givenSet.size();
  for (const TGObject* target : targetObjects) made.targets.push_back(target->Index());
  list.ClearModified();
  task.construction.Swap(list);
  task.givenCount = made.givenCount;
  task.targets = made.targets;
  return {true, -1, -1, {}};
}

}  // namespace zelmora
