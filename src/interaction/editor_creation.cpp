// The creation sequence: free placement of points, lines and circles, and the
// picking of parents for every other construction method.
#include <algorithm>
#include <utility>

#include "document/text_table.h"
#include "geometry/construction_method.h"
#include "interaction/editor.h"
#include "interaction/editor_texts.h"
#include "interaction/modes/creation_modes.h"

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
  return *FindMethod(Number(method));
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

void Editor::StartCreation(Command command) {
  ReturnToNormal();
  if (!enabled_.Contains(command)) return;
  creation_.command = command;
  RestartCreation();
}

void Editor::NewObjectDialog(CommandGroup group) {
  ReturnToNormal();
  if (!enabled_.AnyOf(group)) return;
  const auto command = view_.AskNewObjectMethod(group, enabled_);
  if (command && enabled_.Contains(*command)) {
    creation_.command = *command;
    RestartCreation();
  }
}

void Editor::SetEnabledCommands(const CommandSet& enabled) {
  enabled_ = enabled;
  const InteractionState state = State();
  const bool creating =
      state == InteractionState::PickParents || state == InteractionState::PlacePoint ||
      state == InteractionState::PlaceLine || state == InteractionState::PlaceCircle ||
      state == InteractionState::PickMeasured || state == InteractionState::PlaceText;
  if (creating && !enabled_.Contains(creation_.command)) ReturnToNormal();
  view_.ShowEnabledCommands(enabled_);
}

std::string Editor::Text(MethodCode method, int step) {
  if (auto text = tables_.MethodText(method, step)) return std::move(*text);
  view_.ShowError(kErrorPromptTableUnreadable);
  return {};
}

void Editor::MarkCandidates(Command command) {
  for (MethodCode method : Info(command).candidates) {
    const std::size_t slot = CandidateSlot(method);
    if (slot < creation_.candidates.size()) creation_.candidates[slot] = true;
  }
}

void Editor::RestartCreation() {
  const CommandInfo& command = Info(creation_.command);
  Deselect();
  creation_.candidates.fill(false);
  creation_.picks.clear();
  if (command.mode != InteractionState::PickParents) {
    SetMode(command.mode);
    return;
  }
  MarkCandidates(creation_.command);
  SetMode(InteractionState::PickParents);
}

void Editor::DropAutoPoints() {
  objects_.DropLast(static_cast<std::size_t>(creation_.autoPoints));
  creation_.autoPoints = 0;
}

// ---- picking ------------------------------------------------------------------

void Editor::PickAt(int x, int y) {
  Deselect();
  Canvas& canvas = view_.PictureCanvas();
  for (std::size_t i = 0; i < objects_.size(); ++i) {
    if (HitTest(objects_[i], x, y, canvas, Hits()) &&
        NextOSStep(static_cast<int>(i)) != PickResult::Rejected) {
      return;
    }
  }
  TGPoint& point = objects_.AddPoint();
  point.X = x;
  point.Y = y;
  point.MustDraw = true;
  const int index = point.Index();
  // Counted before it is offered: if this point completes the picks and the
  // parameter dialog is then cancelled, cancelling must take it away too, not
  // an older automatic point or none. A completed construction resets the count.
  ++creation_.autoPoints;
  if (NextOSStep(index) == PickResult::Rejected) {
    --creation_.autoPoints;
    objects_.DeleteWithDescendants(static_cast<std::size_t>(index));
  }
}

PickResult Editor::NextOSStep(int index) {
  const PickResult result = FilterCandidates(index);
  if (result == PickResult::Rejected) return result;
  creation_.picks.push_back(index);
  view_.SetBlinkTimer(true);
  ++creation_.step;
  if (result == PickResult::Completed) {
    CompleteCreation();
  } else {
    SetPrompt(Text(creation_.chosenMethod, creation_.step));
  }
  Repaint();
  return result;
}

PickResult Editor::FilterCandidates(int index) {
  const TGObject* object = objects_.at(index);
  if (object == nullptr) return PickResult::Rejected;
  const int kind = object->Kind();
  const int step = creation_.step;
  int matches = 0;
  for (std::size_t slot = 0; slot < kCreationMethods.size(); ++slot) {
    if (creation_.candidates[slot] && tables_.StepKind(kCreationMethods[slot], step) == kind) {
      creation_.chosenMethod = kCreationMethods[slot];
      ++matches;
    }
  }
  if (matches == 0) return PickResult::Rejected;
  for (std::size_t slot = 0; slot < kCreationMethods.size(); ++slot) {
    if (creation_.candidates[slot] && tables_.StepKind(kCreationMethods[slot], step) != kind) {
      creation_.candidates[slot] = false;
    }
  }
  if (matches > 1) return PickResult::Accepted;
  return tables_.StepKind(creation_.chosenMethod, 0) == step ? PickResult::Completed
                                                             : PickResult::Accepted;
}

// The last pick is in: ask for the value the method reads, build, and start
// the same construction over. A cancelled question builds nothing and takes
// back the free points the picks created.
void Editor::CompleteCreation() {
  const MethodCode method = creation_.chosenMethod;
  const ParameterKind parameter = Info(creation_.command).parameter;
  std::optional<double> value;
  if (parameter != ParameterKind::None) {
    SetPrompt(std::string(ParameterPrompt(parameter)));
    value = view_.AskParameter(parameter);
  }
  const bool cancelled = parameter != ParameterKind::None && !value;
  if (cancelled || !BuildObject(method, value)) DropAutoPoints();
  creation_.picks.clear();
  creation_.autoPoints = 0;
  RestartCreation();
  view_.SetBlinkTimer(false);
}

// False, with nothing built, when a picked object has gone.
bool Editor::BuildObject(MethodCode candidate, std::optional<double> value) {
  std::vector<TGObject*> parents;
  for (int index : creation_.picks) {
    TGObject* parent = objects_.at(index);
    if (parent == nullptr) return false;
    parents.push_back(parent);
  }
  if (value)
    parents.push_back(&AddValueObject(objects_, Info(creation_.command).parameter, *value));
  if (candidate == kCircleFirstCrossing && parents.size() >= 2) std::swap(parents[0], parents[1]);
  const MethodInfo& info = MethodOfCandidate(candidate);
  const int method = info.code;

  if (BuildsPair(method)) {
    TGPoint& first = objects_.AddPoint();
    TGPoint& second = objects_.AddPoint();
    second.X = lastX_;
    second.Y = lastY_;
    objects_.Complete({&first, &second}, parents, method);
    return true;
  }

  TGObject* created = objects_.AddOfKind(info.kind);
  if (auto* point = dynamic_cast<TGPoint*>(created)) {
    point->X = lastX_;
    point->Y = lastY_;
  }
  objects_.Complete(*created, parents, method);
  return true;
}

}  // namespace zelmora
