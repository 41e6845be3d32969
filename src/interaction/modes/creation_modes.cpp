#include "interaction/modes/creation_modes.h"

#include <algorithm>
#include <cmath>

#include "geometry/graph.h"
#include "interaction/editor_texts.h"

namespace zelmora {

// ---- placing ------------------------------------------------------------------

void PlaceMode::Enter() {
  AddPending();
  editor_.SetPrompt(std::string(Info(editor_.Creation().command).placePrompt));
  editor_.View().SetSurfaceCursor(CursorShape::HandPoint);
}

void PlaceMode::AddPending() {
  const MethodCode code = Info(editor_.Creation().command).code;
  editor_.Objects().AddOfKind(FindMethod(code)->kind)->Method = code;
}

// A release or a drag without a press in this state (the press opened a
// menu, say) finds the pending object still unplaced and leaves it alone.
TGObject* PlaceMode::Placed() const {
  ObjectList& objects = editor_.Objects();
  if (objects.empty() || !objects.back().MustDraw) return nullptr;
  return &objects.back();
}

void PlaceMode::LeftPress(Modifiers, int x, int y) {
  ObjectList& objects = editor_.Objects();
  objects.MarkModified();
  if (objects.empty()) return;
  TGObject& pending = objects.back();
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

void PlaceMode::Drag(int x, int y) {
  if (TGObject* pending = Placed()) Stretch(*pending, x, y);
}

void PlaceMode::Stretch(TGObject& pending, int x, int y) {
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

void PlaceMode::Release(MouseButton button, int x, int y) {
  if (button != MouseButton::Left) return;
  TGObject* pending = Placed();
  if (pending == nullptr) return;  // a second pending object would pile up unseen
  Stretch(*pending, x, y);
  AddPending();
}

std::string PlaceMode::HelpPage() const {
  return texts::kHelpMethods;
}

// The object waiting for its press, or following the mouse until the release.
std::size_t PlaceMode::PendingObjects() const {
  return editor_.Objects().empty() ? 0 : 1;
}

void PlaceMode::Leave() {
  ObjectList& objects = editor_.Objects();
  if (!objects.empty()) objects.DeleteWithDescendants(objects.size() - 1);
}

}  // namespace zelmora
