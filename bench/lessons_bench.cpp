// Checking a pupil's attempt of 200 objects against a task: 20 pictures, each
// with the givens and the pupil's own free points placed anew, the attempt
// and the teacher's construction recomputed on each. Target: under 50 ms.
#include <benchmark/benchmark.h>

#include "geometry/construction_method.h"
#include "lessons/task_checker.h"
#include "lessons/task_making.h"

namespace zelmora {
namespace {

using M = ConstructionMethod;

TGObject& Build(ObjectList& list, M method, std::vector<TGObject*> parents) {
  TGObject& object = *list.AddOfKind(Info(method).kind);
  list.Complete(object, parents, Info(method).code);
  return object;
}

TGPoint& Point(ObjectList& list, double x, double y) {
  TGPoint& p = list.AddPoint();
  p.X = x, p.Y = y;
  return p;
}

// A and B, then the perpendicular bisector by two circles.
void Bisector(ObjectList& list) {
  TGObject& a = Point(list, 200, 300);
  TGObject& b = Point(list, 440, 300);
  TGObject& around_a = Build(list, M::CircleByCentreAndPoint, {&a, &b});
  TGObject& around_b = Build(list, M::CircleByCentreAndPoint, {&b, &a});
  TGObject* x = &list.AddPoint();
  TGObject* y = &list.AddPoint();
  list.Complete({x, y}, {&around_a, &around_b}, Info(M::CirclesFirst).code);
  Build(list, M::LineThroughTwoPoints, {x, y});
}

// The right construction among 200 objects of side work: points of the
// pupil's choice, circles about them through B, lines to A, crossings.
void Attempt(ObjectList& list) {
  Bisector(list);
  TGObject& a = list[0];
  TGObject& b = list[1];
  for (int k = 0; list.size() < 200; ++k) {
    TGObject& p = Point(list, 100 + 7 * k, 120 + 5 * k);
    TGObject& circle = Build(list, M::CircleByCentreAndPoint, {&p, &b});
    TGObject& line = Build(list, M::LineThroughTwoPoints, {&p, &a});
    TGObject* one = &list.AddPoint();
    TGObject* two = &list.AddPoint();
    list.Complete({one, two}, {&line, &circle}, Info(M::LineCircleFirst).code);
  }
}

void BM_CheckAttempt200(benchmark::State& state) {
  ObjectList teacher;
  Bisector(teacher);
  Task task;
  if (!MakeTask(teacher, {0, 1}, {6}, task).ok) state.SkipWithError("no task");
  task.allowed = CompassRulerMethods();
  ObjectList attempt;
  Attempt(attempt);
  bool solved = false;
  int instances = 0;
  for (auto _ : state) {
    const CheckResult result = CheckAttempt(task, attempt);
    solved = result.solved;
    instances = result.instances;
    if (!result.isAttempt) state.SkipWithError(result.notAttempt.c_str());
  }
  state.counters["objects"] = static_cast<double>(attempt.size());
  state.counters["instances"] = instances;
  state.counters["solved"] = solved;
}
BENCHMARK(BM_CheckAttempt200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelmora

BENCHMARK_MAIN();
