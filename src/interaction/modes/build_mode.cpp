#include "interaction/modes/build_mode.h"

#include <algorithm>
#include <utility>

#include "interaction/editor_texts.h"

namespace zelmora {
namespace {

std::size_t CandidateSlot(MethodCode method) {
  const auto it = std::find(kCreationMethods.begin(), kCreationMethods.end(), method);
  return static_cast<std::size_t>(it - kCreationMethods.begin());
}

// The method a candidate builds: the circle-first crossing stores the
// line-circle one.
const MethodInfo& MethodOfCandidate(MethodCode method) {
  if (method == kCircleFirstCrossing) return Info(ConstructionMethod::LineCircleFirst);
  return *FindMethod(method);
}

// The typed value as the object the construction reads it from: its last parent.
TGObject& AddValueObject(ObjectList& objects, ParameterKind kind, double value) {
  if (kind == ParameterKind::Distance) {
    TGLength& length = objects.AddLength();
    length.Value = value;
    return length;
  }
  TGAngle& angle = objects.AddAngle();
  angle.Value = value;
  return angle;
}

}  // namespace

void BuildMode::Prepare(Command command) {
  creation_.command = command;
  creation_.candidates.fill(false);
  creation_.picks.clear();
  for (MethodCode method : Info(command).candidates) {
    const std::size_t slot = CandidateSlot(method);
    if (slot < creation_.candidates.size()) creation_.candidates[slot] = true;
  }
}

void BuildMode::Enter() {
  creation_.step = 1;
  creation_.autoPoints = 0;
  editor_.SetPrompt(editor_.Text(Info(creation_.command).code, 1));
  editor_.View().SetSurfaceCursor(CursorShape::HandPoint);
}

std::string BuildMode::HelpPage() const {
  return texts::kHelpMethods;
}

std::size_t BuildMode::PendingObjects() const {
  return static_cast<std::size_t>(std::max(creation_.autoPoints, 0));
}

void BuildMode::Leave() {
  editor_.View().SetBlinkTimer(false);
  DropAutoPoints();
  creation_.picks.clear();
}

void BuildMode::DropAutoPoints() {
  editor_.Objects().DropLast(static_cast<std::size_t>(creation_.autoPoints));
  creation_.autoPoints = 0;
}

void BuildMode::Press(int x, int y) {
  editor_.Deselect();
  for (int index : ObjectsAt(x, y)) {
    if (Offer(index) != PickResult::Rejected) return;
  }
  const int index = AddFreePoint(x, y).Index();
  // Counted before it is offered: if this point completes the picks and the
  // parameter dialog is then cancelled, cancelling must take it away too, not
  // an older automatic point or none. A completed construction resets the count.
  ++creation_.autoPoints;
  if (Offer(index) == PickResult::Rejected) {
    --creation_.autoPoints;
    editor_.Objects().DeleteWithDescendants(static_cast<std::size_t>(index));
  }
}

void BuildMode::Choose(int index) {
  Offer(index);
}

PickResult BuildMode::Offer(int index) {
  const PickResult result = FilterCandidates(index);
  if (result == PickResult::Rejected) return result;
  creation_.picks.push_back(index);
  editor_.View().SetBlinkTimer(true);
  ++creation_.step;
  if (result == PickResult::Completed) {
    Complete();
  } else {
    editor_.SetPrompt(editor_.Text(creation_.chosenMethod, creation_.step));
  }
  editor_.Repaint();
  return result;
}

PickResult BuildMode::FilterCandidates(int index) {
  const TGObject* object = editor_.Objects().at(index);
  if (object == nullptr) return PickResult::Rejected;
  ConstructionTables& tables = editor_.Tables();
  const int kind = object->Kind();
  const int step = creation_.step;
  int matches = 0;
  for (std::size_t slot = 0; slot < kCreationMethods.size(); ++slot) {
    if (creation_.candidates[slot] && tables.StepKind(kCreationMethods[slot], step) == kind) {
      creation_.chosenMethod = kCreationMethods[slot];
      ++matches;
    }
  }
  if (matches == 0) return PickResult::Rejected;
  for (std::size_t slot = 0; slot < kCreationMethods.size(); ++slot) {
    if (creation_.candidates[slot] && tables.StepKind(kCreationMethods[slot], step) != kind) {
      creation_.candidates[slot] = false;
    }
  }
  if (matches > 1) return PickResult::Accepted;
  return tables.StepKind(creation_.chosenMethod, 0) == step ? PickResult::Completed
                                                            : PickResult::Accepted;
}

// The last pick is in: ask for the value the method reads, build, and start
// the same construction over. A cancelled question builds nothing and takes
// back the free points the picks created.
void BuildMode::Complete() {
  const ParameterKind parameter = Info(creation_.command).parameter;
  std::optional<double> value;
  if (parameter != ParameterKind::None) {
    editor_.SetPrompt(std::string(ParameterPrompt(parameter)));
    value = editor_.View().AskParameter(parameter);
  }
  const bool cancelled = parameter != ParameterKind::None && !value;
  if (cancelled || !BuildObject(creation_.chosenMethod, value)) DropAutoPoints();
  creation_.picks.clear();
  creation_.autoPoints = 0;
  editor_.RestartCreation();
  editor_.View().SetBlinkTimer(false);
}

// False, with nothing built, when a picked object has gone.
bool BuildMode::BuildObject(MethodCode candidate, std::optional<double> value) {
  ObjectList& objects = editor_.Objects();
  std::vector<TGObject*> parents;
  for (int index : creation_.picks) {
    TGObject* parent = objects.at(index);
    if (parent == nullptr) return false;
    parents.push_back(parent);
  }
  if (value) {
    parents.push_back(&AddValueObject(objects, Info(creation_.command).parameter, *value));
  }
  if (candidate == kCircleFirstCrossing && parents.size() >= 2) std::swap(parents[0], parents[1]);
  const MethodInfo& info = MethodOfCandidate(candidate);

  if (BuildsPair(info.code)) {
    TGPoint& first = objects.AddPoint();
    TGPoint& second = objects.AddPoint();
    second.X = editor_.LastX();
    second.Y = editor_.LastY();
    objects.Complete({&first, &second}, parents, info.code);
    return true;
  }

  TGObject* created = objects.AddOfKind(info.kind);
  if (auto* point = dynamic_cast<TGPoint*>(created)) {
    point->X = editor_.LastX();
    point->Y = editor_.LastY();
  }
  objects.Complete(*created, parents, info.code);
  return true;
}

}  // namespace zelmora
