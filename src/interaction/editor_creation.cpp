// The creation sequence: free placement of points, lines and circles, and the
// picking of parents for every other construction method.
#include <algorithm>
#include <cmath>
#include <utility>

#include "geometry/graph.h"
#include "interaction/editor.h"
#include "interaction/editor_texts.h"

namespace zelmora {
namespace {

std::size_t CandidateSlot(int method) {
  const auto it = std::find(kCreationMethods.begin(), kCreationMethods.end(), method);
  return static_cast<std::size_t>(it - kCreationMethods.begin());
}

}  // namespace

void Editor::StartCreation(int method) {
  ReturnToNormal();
  creation_.requestedMethod = method;
  RestartCreation();
}

void Editor::NewObjectDialog(NewObjectKind kind) {
  ReturnToNormal();
  if (const auto method = view_.AskNewObjectMethod(kind)) {
    creation_.requestedMethod = *method;
    RestartCreation();
  }
}

void Editor::ShowMethodPrompt(int method, int step) {
  if (const auto text = tables_.MethodText(method, step)) {
    SetPrompt(*text);
  } else {
    view_.ShowError(2);
    SetPrompt("");
  }
}

void Editor::RestartCreation() {
  const int m = creation_.requestedMethod;
  Deselect();
  creation_.candidates.fill(false);
  creation_.picks.clear();
  auto candidate = [&](int code) {
    const std::size_t slot = CandidateSlot(code);
    if (slot < creation_.candidates.size()) creation_.candidates[slot] = true;
  };
  switch (m) {
    case 0:
      objects_.AddPoint();
      state_ = InteractionState::PlacePoint;
      SetPrompt(texts::kPlacePointPrompt);
      break;
    case 100:
      objects_.AddLine().Method = 100;
      state_ = InteractionState::PlaceLine;
      SetPrompt(texts::kPlaceLinePrompt);
      break;
    case 200:
      objects_.AddCircle().Method = 200;
      state_ = InteractionState::PlaceCircle;
      SetPrompt(texts::kPlaceCirclePrompt);
      break;
    case 1:
      candidate(1);
      candidate(2);
      break;
    case 3:
      candidate(3);
      candidate(4);
      candidate(6);
      candidate(304);
      break;
    case 106:
      candidate(106);
      candidate(111);
      break;
    case 108:
      candidate(108);
      candidate(110);
      break;
    default:
      candidate(m);
      break;
  }
  if (m != 0 && m != 100 && m != 200) {
    creation_.step = 1;
    state_ = InteractionState::PickParents;
    creation_.autoPoints = 0;
    ShowMethodPrompt(m, 1);
  }
  view_.SetSurfaceCursor(CursorShape::HandPoint);
}

// ---- free objects -------------------------------------------------------------

void Editor::PlaceFreeObject(int x, int y) {
  if (objects_.empty()) return;
  TGObject& pending = objects_.back();
  if (auto* p = dynamic_cast<TGPoint*>(&pending)) {
    p->X = x;
    p->Y = y;
  } else if (auto* l = dynamic_cast<TGLine*>(&pending)) {
    l->X1 = x;
    l->Y1 = y;
  } else if (auto* c = dynamic_cast<TGCircle*>(&pending)) {
    c->CX = x;
    c->CY = y;
  }
  pending.MustDraw = true;
}

void Editor::StretchFreeObject(int x, int y) {
  if (objects_.empty() || !objects_.back().MustDraw) return;  // not placed yet
  TGObject& pending = objects_.back();
  if (auto* l = dynamic_cast<TGLine*>(&pending)) {
    l->X2 = x;
    l->Y2 = y;
    if (l->X2 == l->X1 && l->Y2 == l->Y1) l->X2 += 1.0;
  } else if (auto* c = dynamic_cast<TGCircle*>(&pending)) {
    c->R = std::hypot(c->CX - x, c->CY - y);
    if (c->R == 0) c->R = 1.0;
  } else {
    return;
  }
  UpdateDescendants(pending);
}

void Editor::FinishFreeObject(int x, int y) {
  // A release without a press in this state (the press opened a menu, say)
  // has nothing to finish; a second pending object would pile up unseen.
  if (objects_.empty() || !objects_.back().MustDraw) return;
  switch (state_) {
    case InteractionState::PlacePoint:
      objects_.AddPoint();
      break;
    case InteractionState::PlaceLine:
      StretchFreeObject(x, y);
      objects_.AddLine().Method = 100;
      break;
    case InteractionState::PlaceCircle:
      StretchFreeObject(x, y);
      objects_.AddCircle().Method = 200;
      break;
    default:
      break;
  }
}

// ---- picking ------------------------------------------------------------------

void Editor::PickAt(int x, int y) {
  creation_.accepted = false;
  Deselect();
  Canvas& canvas = view_.PictureCanvas();
  for (std::size_t i = 0; i < objects_.size() && !creation_.accepted; ++i) {
    if (HitTest(objects_[i], x, y, canvas, Hits())) NextOSStep(static_cast<int>(i));
  }
  if (creation_.accepted) return;
  TGPoint& point = objects_.AddPoint();
  point.X = x;
  point.Y = y;
  point.MustDraw = true;
  const int index = point.Index();
  creation_.completed = false;
  // Counted before it is offered: if this point completes the picks and the
  // parameter dialog is then cancelled, cancelling must take it away too, not
  // an older automatic point or none. A completed construction resets the count.
  ++creation_.autoPoints;
  NextOSStep(index);
  if (!creation_.accepted) {
    --creation_.autoPoints;
    objects_.DeleteWithDescendants(static_cast<std::size_t>(index));
  }
}

void Editor::NextOSStep(int index) {
  creation_.accepted = false;
  const int r = FilterCandidates(index);
  if (r == 0) return;
  creation_.picks.push_back(index);
  view_.SetBlinkTimer(true);
  creation_.accepted = true;
  ++creation_.step;
  if (r == 2) {
    BuildObject(creation_.chosenMethod);
    const std::size_t slot = CandidateSlot(creation_.chosenMethod);
    if (slot < creation_.candidates.size()) creation_.candidates[slot] = false;
    creation_.picks.clear();
    creation_.autoPoints = 0;
    creation_.completed = true;
    RestartCreation();
    view_.SetBlinkTimer(false);
  } else {
    ShowMethodPrompt(creation_.chosenMethod, creation_.step);
  }
  Repaint();
}

int Editor::FilterCandidates(int index) {
  const TGObject* object = objects_.at(index);
  if (object == nullptr) return 0;
  const int kind = object->Kind();
  const int step = creation_.step;
  int matches = 0;
  for (std::size_t slot = 0; slot < kCreationMethods.size(); ++slot) {
    if (creation_.candidates[slot] && tables_.StepKind(kCreationMethods[slot], step) == kind) {
      creation_.chosenMethod = kCreationMethods[slot];
      ++matches;
    }
  }
  if (matches == 0) return 0;
  for (std::size_t slot = 0; slot < kCreationMethods.size(); ++slot) {
    if (creation_.candidates[slot] && tables_.StepKind(kCreationMethods[slot], step) != kind) {
      creation_.candidates[slot] = false;
    }
  }
  if (matches > 1) return 1;
  return tables_.StepKind(creation_.chosenMethod, 0) == step ? 2 : 1;
}

// Returns false when the parameter dialog was cancelled and nothing was built.
bool Editor::BuildObject(int method) {
  auto& picks = creation_.picks;
  if (method == 10 || method == 107) {
    TGObject& value = method == 10 ? static_cast<TGObject&>(objects_.AddLength())
                                   : static_cast<TGObject&>(objects_.AddAngle());
    picks.push_back(value.Index());
    SetPrompt(method == 10 ? texts::kLengthPrompt : texts::kAnglePrompt);
    const auto answer = view_.AskParameter(method);
    if (!answer) {
      objects_.DeleteWithDescendants(static_cast<std::size_t>(value.Index()));
      ReturnToNormal();
      return false;
    }
    if (auto* length = dynamic_cast<TGLength*>(&value)) length->Value = *answer;
    if (auto* angle = dynamic_cast<TGAngle*>(&value)) angle->Value = *answer;
  }
  if (method == 304) {
    if (picks.size() >= 2) std::swap(picks[0], picks[1]);
    method = 4;
  }
  std::vector<TGObject*> parents;
  for (int index : picks) {
    TGObject* parent = objects_.at(index);
    if (parent == nullptr) return false;
    parents.push_back(parent);
  }

  if (method == 4 || method == 6) {
    TGPoint& first = objects_.AddPoint();
    TGPoint& second = objects_.AddPoint();
    second.X = lastX_;
    second.Y = lastY_;
    for (TGObject* parent : parents) {
      first.Parents.push_back(parent);
      second.Parents.push_back(parent);
      parent->Children.push_back(&first);
      parent->Children.push_back(&second);
      parent->RebuildIncident();
    }
    first.RebuildIncident();
    second.RebuildIncident();
    first.Method = method;
    second.Method = method + 1;
    first.MustDraw = second.MustDraw = true;
    first.Recompute();
    second.Recompute();
    objects_.MarkModified();
    return true;
  }

  TGObject* created = nullptr;
  if (method >= 101 && method <= 111) {
    created = &objects_.AddLine();
  } else if (method >= 201 && method <= 203) {
    created = &objects_.AddCircle();
  } else {
    TGPoint& point = objects_.AddPoint();
    point.X = lastX_;
    point.Y = lastY_;
    created = &point;
  }
  objects_.Complete(*created, parents, method);
  return true;
}

}  // namespace zelmora
