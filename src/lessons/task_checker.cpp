#include "lessons/task_checker.h"

#include <algorithm>
#include <cmath>

#include "document/document_file.h"
#include "document/load_recompute.h"
#include "geometry/graph.h"
#include "geometry/object_shape.h"
#include "lessons/attempt_rules.h"
#include "lessons/instance_placer.h"
#include "lessons/method_steps.h"
#include "lessons/shape_match.h"

namespace zelmora {
namespace {

// Coincidence in every picture: far below a pixel, far above rounding.
constexpr double kBuiltTolerance = 1e-6;
// Coincidence by eye on the picture as it stands: a hundredth of the surface.
constexpr double kByEyeTolerance = 1e-2;
// Givens nearer than this many pixels make a picture nobody would draw.
constexpr double kGivenGap = 8;
// Pictures drawn at most per picture wanted, and placings of the pupil's
// own objects tried per picture.
constexpr int kDrawsPerInstance = 10;
constexpr int kPupilTries = 12;
// Crossings whose other root is tried: 2^6 combinations at most.
constexpr std::size_t kMaxSwappedCrossings = 6;

using TargetShapes = std::vector<Shape>;  // one per target

struct Instance {
  std::vector<TargetShapes> reference;  // one per combination of roots
  std::vector<Shape> attempt;           // one per object of the attempt
};

class Checker {
 public:
  Checker(const Task& task, ObjectList& attempt, const CheckOptions& options)
      : task_(task),
        attempt_(attempt),
        options_(options),
        surface_(TaskSurface(task)),
        placer_(surface_, options.seed) {}

  bool Prepare();
  void Run(CheckResult& result);
  void PutBack();

 private:
  void FindCrossings();
  void MarkPupilDependents();
  void PlaceGivens(bool asItStands);
  bool GivensApart() const;
  bool ReferenceShapes(Instance& instance);
  void AttemptShapes(bool asItStands, Instance& instance);
  bool PupilConstructionUndefined() const;
  TargetStatus Status(std::size_t target) const;
  bool MatchesEverywhere(std::size_t target, std::size_t combination, std::size_t object) const;
  bool MatchesByEye(std::size_t target) const;

  const Task& task_;
  ObjectList& attempt_;
  const CheckOptions& options_;
  Surface surface_;
  InstancePlacer placer_;
  ObjectList reference_;
  std::vector<TGObject*> crossings_;   // in the reference, above a target
  std::vector<MethodCode> rootCodes_;  // their stored codes
  std::vector<bool> pupilDependent_;   // per attempt object: rests on the pupil's free objects
  std::vector<Instance> instances_;
  bool firstAsItStands_ = false;
  // Where each object of the attempt stood and whether it was defined: an
  // undefined object keeps its last place, so all are put back, not recomputed.
  std::vector<std::pair<ShapeNumbers, bool>> original_;
};

bool Checker::Prepare() {
  DocumentInfo info;
  if (!ReadPlane(WritePlane(task_.construction, {}), reference_, info).ok()) return false;
  FindCrossings();
  MarkPupilDependents();
  for (std::size_t i = 0; i < attempt_.size(); ++i) {
    original_.emplace_back(ShapeOf(attempt_[i]), attempt_[i].Defined);
  }
  return true;
}

void Checker::PutBack() {
  for (std::size_t i = 0; i < attempt_.size(); ++i) {
    SetShape(attempt_[i], original_[i].first);
    attempt_[i].Defined = original_[i].second;
  }
}

void Checker::FindCrossings() {
  std::vector<bool> above(reference_.size(), false);
  for (std::size_t target : task_.targets) above[target] = true;
  for (std::size_t i = reference_.size(); i-- > task_.givenCount;) {
    if (!above[i]) continue;
    for (const TGObject* parent : reference_[i].Parents) above[parent->Index()] = true;
  }
  for (std::size_t i = task_.givenCount; i < reference_.size(); ++i) {
    const MethodInfo* method = MethodOf(reference_[i]);
    if (!above[i] || method == nullptr || !HasOtherRoot(method->method)) continue;
    if (crossings_.size() == kMaxSwappedCrossings) break;
    crossings_.push_back(&reference_[i]);
    rootCodes_.push_back(reference_[i].Method);
  }
}

void Checker::MarkPupilDependents() {
  pupilDependent_.assign(attempt_.size(), false);
  for (std::size_t i : ParentsFirst(attempt_)) {
    const TGObject& object = attempt_[i];
    bool dependent = i >= task_.givenCount && PlacedByHand(object);
    for (const TGObject* parent : object.Parents)
      dependent = dependent || pupilDependent_[parent->Index()];
    pupilDependent_[i] = dependent;
  }
}

// The givens where the attempt shows them, or at random places; the attempt's
// givens follow the reference's.
void Checker::PlaceGivens(bool asItStands) {
  for (std::size_t i = 0; i < task_.givenCount; ++i) {
    if (asItStands) {
      CopyPlace(attempt_[i], reference_[i]);
    } else if (PlacedByHand(reference_[i])) {
      placer_.Place(reference_[i]);
      CopyPlace(reference_[i], attempt_[i]);
    }
  }
}

bool Checker::GivensApart() const {
  for (std::size_t i = 0; i < task_.givenCount; ++i) {
    const Shape p = SnapshotOf(reference_[i]);
    if (p.kind != kPointKind) continue;
    for (std::size_t j = 0; j < i; ++j) {
      const Shape q = SnapshotOf(reference_[j]);
      if (q.kind == kPointKind && std::hypot(p.a - q.a, p.b - q.b) < kGivenGap) return false;
    }
  }
  return true;
}

// The targets for every choice of roots at the crossings; false when the
// teacher's own construction fails on this picture.
bool Checker::ReferenceShapes(Instance& instance) {
  const std::size_t combinations = std::size_t{1} << crossings_.size();
  for (std::size_t combination = 0; combination < combinations; ++combination) {
    for (std::size_t k = 0; k < crossings_.size(); ++k) {
      const ConstructionMethod own = MethodOf(*crossings_[k])->method;
      crossings_[k]->Method = (combination >> k & 1) != 0 ? CodeOf(OtherRoot(own)) : rootCodes_[k];
    }
    RecomputeLoaded(reference_);
    TargetShapes shapes;
    for (std::size_t target : task_.targets) shapes.push_back(SnapshotOf(reference_[target]));
    instance.reference.push_back(std::move(shapes));
    for (std::size_t k = 0; k < crossings_.size(); ++k) crossings_[k]->Method = rootCodes_[k];
  }
  for (const Shape& shape : instance.reference.front()) {
    if (!shape.defined) return false;
  }
  return GivensApart();
}

bool Checker::PupilConstructionUndefined() const {
  for (std::size_t i = task_.givenCount; i < attempt_.size(); ++i) {
    if (pupilDependent_[i] && !attempt_[i].Defined) return true;
  }
  return false;
}

// The pupil's own free objects go elsewhere too: a right construction does
// not depend on them. Where they fell so that the construction fails (a
// radius drawn too small), they are placed again.
void Checker::AttemptShapes(bool asItStands, Instance& instance) {
  for (int attempt = 0; attempt < (asItStands ? 1 : kPupilTries); ++attempt) {
    for (std::size_t i = task_.givenCount; i < attempt_.size() && !asItStands; ++i) {
      if (PlacedByHand(attempt_[i])) placer_.Place(attempt_[i]);
    }
    RecomputeLoaded(attempt_);
    if (!PupilConstructionUndefined()) break;
  }
  instance.attempt.clear();
  for (std::size_t i = 0; i < attempt_.size(); ++i)
    instance.attempt.push_back(SnapshotOf(attempt_[i]));
}

void Checker::Run(CheckResult& result) {
  const int wanted = std::max(options_.instances, 1);
  for (int drawn = 0; drawn < wanted * kDrawsPerInstance; ++drawn) {
    if (static_cast<int>(instances_.size()) == wanted) break;
    const bool asItStands = drawn == 0;
    PlaceGivens(asItStands);
    Instance instance;
    if (!ReferenceShapes(instance)) continue;
    AttemptShapes(asItStands, instance);
    if (asItStands) firstAsItStands_ = true;
    instances_.push_back(std::move(instance));
  }
  result.instances = static_cast<int>(instances_.size());
  for (std::size_t t = 0; t < task_.targets.size(); ++t) result.targets.push_back(Status(t));
}

bool Checker::MatchesEverywhere(std::size_t target, std::size_t combination,
                                std::size_t object) const {
  const double tolerance = surface_.Diagonal() * kBuiltTolerance;
  for (const Instance& instance : instances_) {
    if (!SameShape(instance.reference[combination][target], instance.attempt[object], tolerance,
                   surface_)) {
      return false;
    }
  }
  return true;
}

// Some object of the attempt, built or laid by hand, stands on the target
// in the picture as it stands.
bool Checker::MatchesByEye(std::size_t target) const {
  if (!firstAsItStands_) return false;
  const Instance& first = instances_.front();
  const double tolerance = surface_.Diagonal() * kByEyeTolerance;
  for (const TargetShapes& shapes : first.reference) {
    for (std::size_t i = task_.givenCount; i < first.attempt.size(); ++i) {
      if (SameShape(shapes[target], first.attempt[i], tolerance, surface_)) return true;
    }
  }
  return false;
}

TargetStatus Checker::Status(std::size_t target) const {
  if (instances_.empty()) return TargetStatus::kMissing;
  for (std::size_t combination = 0; combination < instances_.front().reference.size();
       ++combination) {
    for (std::size_t i = task_.givenCount; i < attempt_.size(); ++i) {
      if (PlacedByHand(attempt_[i])) continue;
      if (MatchesEverywhere(target, combination, i)) return TargetStatus::kBuilt;
    }
  }
  return MatchesByEye(target) ? TargetStatus::kOnlyHere : TargetStatus::kMissing;
}

}  // namespace

CheckResult CheckAttempt(const Task& task, ObjectList& attempt, const CheckOptions& options) {
  CheckResult result;
  result.notAttempt = GivensMismatch(task, attempt, options.givensInPlace);
  if (!result.notAttempt.empty()) return result;
  result.isAttempt = true;
  CountSteps(task, attempt, result);
  Checker checker(task, attempt, options);
  if (!checker.Prepare()) {
    result.targets.assign(task.targets.size(), TargetStatus::kMissing);
    return result;
  }
  checker.Run(result);
  checker.PutBack();
  result.solved = result.forbidden.empty() &&
                  std::all_of(result.targets.begin(), result.targets.end(),
                              [](TargetStatus s) { return s == TargetStatus::kBuilt; });
  return result;
}

}  // namespace zelmora
