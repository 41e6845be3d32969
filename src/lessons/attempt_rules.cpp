#include "lessons/attempt_rules.h"

#include <algorithm>
#include <cmath>

#include "geometry/change_log.h"
#include "geometry/graph.h"
#include "lessons/given_similarity.h"
#include "lessons/instance_placer.h"
#include "lessons/method_steps.h"

namespace zelmora {
namespace {

// A given stands where the task put it when the file shows it within half a pixel.
constexpr double kGivenPlaceTolerance = 0.5;

bool SamePlace(const TGObject& a, const TGObject& b) {
  const Shape p = SnapshotOf(a), q = SnapshotOf(b);
  return std::abs(p.a - q.a) <= kGivenPlaceTolerance &&
         std::abs(p.b - q.b) <= kGivenPlaceTolerance &&
         std::abs(p.c - q.c) <= kGivenPlaceTolerance && std::abs(p.d - q.d) <= kGivenPlaceTolerance;
}

bool SameParents(const TGObject& a, const TGObject& b) {
  if (a.Parents.size() != b.Parents.size()) return false;
  for (std::size_t i = 0; i < a.Parents.size(); ++i) {
    if (a.Parents[i]->Index() != b.Parents[i]->Index()) return false;
  }
  return true;
}

std::string Quote(const std::string& name) {
  return "«" + name + "»";
}

}  // namespace

std::string GivensMismatch(const Task& task, const ObjectList& attempt, bool places) {
  if (attempt.size() < task.givenCount) {
    return "в рисунке нет всех данных задачи";
  }
  for (std::size_t i = 0; i < task.givenCount; ++i) {
    const TGObject& given = task.construction[i];
    const TGObject& drawn = attempt[i];
    if (drawn.Kind() != given.Kind() || drawn.Method != given.Method ||
        !SameParents(drawn, given)) {
      return "рисунок начинается не с данных этой задачи: вместо " + Quote(given.Name) + " стоит " +
             Quote(drawn.Name);
    }
    if (places && !PlacedByHand(given)) continue;
    if (places && !SamePlace(drawn, given)) {
      return "данное " + Quote(given.Name) +
             " стоит не там, где его дала задача (сдвинуто больше чем на полпикселя)";
    }
  }
  return {};
}

bool PutGivensInPlace(const Task& task, ObjectList& attempt) {
  if (!GivensMismatch(task, attempt, false).empty()) return false;
  if (GivensMismatch(task, attempt, true).empty()) return false;
  // A zoom, pan or turn of the whole drawing is undone for the pupil's own
  // free objects too, so the drawing comes back as it was drawn.
  const std::optional<Similarity> back = GivensSimilarity(task, attempt);
  for (std::size_t i = 0; i < attempt.size(); ++i) {
    TGObject& object = attempt[i];
    if (!PlacedByHand(object) || (i >= task.givenCount && !back)) continue;
    // Recorded as a move, so the pupil can undo it like a drag.
    ChangeLog::Moving(object, [&] {
      if (i < task.givenCount) {
        CopyPlace(task.construction[i], object);
      } else {
        MoveBy(*back, object);
      }
    });
  }
  for (std::size_t i : ParentsFirst(attempt)) Recompute(attempt[i]);
  return true;
}

void CountSteps(const Task& task, const ObjectList& attempt, CheckResult& result) {
  for (std::size_t i = task.givenCount; i < attempt.size(); ++i) {
    const TGObject& object = attempt[i];
    const MethodInfo* method = MethodOf(object);
    if (method == nullptr) continue;
    const MethodSteps& steps = StepsOf(method->method);
    result.steps += steps.toolUses;
    result.elementary += steps.elementary;
    if (!task.Allows(method->method)) result.forbidden.push_back(Number(method->code));
  }
  std::sort(result.forbidden.begin(), result.forbidden.end());
  result.forbidden.erase(std::unique(result.forbidden.begin(), result.forbidden.end()),
                         result.forbidden.end());
  result.overBudget = (task.maxSteps != kNoBudget && result.steps > task.maxSteps) ||
                      (task.maxElementary != kNoBudget && result.elementary > task.maxElementary);
}

}  // namespace zelmora
