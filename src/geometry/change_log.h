#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "geometry/object_shape.h"
#include "geometry/tg_object.h"

namespace zelmora {

class ObjectList;

// An object's own values besides its placing: what a restyle, a rename or a
// label move changes. Without the scratch of drags and macro recording
// (saved positions, marks) and without the drawn ends of a line, which every
// repaint recomputes.
struct ObjectStyle {
  std::string name;
  Color color = kBlack;
  int penStyle = 0;
  int width = 1;
  bool nameVisible = false, mustDraw = false, hidden = false, endsOff = false;
  double labelOffsetX = 0, labelOffsetY = 0;
  MethodCode method{};
  ObjectLook look;  // a measurement's decimals and units, a text's lines and size
};

ObjectStyle StyleOf(const TGObject& object);
void SetStyle(TGObject& object, const ObjectStyle& style);
// Bit for bit: -0 is not 0 in the file.
bool SameStyle(const TGObject& object, const ObjectStyle& style);

struct ObjectLinks {
  std::vector<TGObject*> parents, children, incident;
};

ObjectLinks LinksOf(const TGObject& object);
bool SameLinks(const TGObject& object, const ObjectLinks& links);

// One part of one object as it stood before an action changed it.
template <class State>
struct Before {
  TGObject* object = nullptr;
  State state;
};

// What one action did to the drawing.
struct RecordedAction {
  std::vector<TGObject*> added;  // ascending index
  // The objects that were part of the drawing and were removed, each with
  // its index before the action, ascending. They are kept alive, so that
  // undo puts the very same objects back and every address stays valid.
  std::vector<std::pair<std::size_t, std::unique_ptr<TGObject>>> removed;
  std::vector<Before<Placing>> placings;
  std::vector<Before<ObjectStyle>> styles;
  std::vector<Before<ObjectLinks>> links;
};

// Records what the actions on a drawing do, as they do it: ObjectList
// reports what it adds, removes and links, the update walks and the
// whole-drawing operations what they move, and whoever restyles or relinks
// an object by hand says so first (Restyling, Relinking). The first change
// of each part of an object within an action keeps that part as it was;
// objects added by the action need nothing kept. Recording starts with a
// history (Start); a drawing without one records nothing.
class ChangeLog {
 public:
  ChangeLog() = default;
  ChangeLog(const ChangeLog&) = delete;
  ChangeLog& operator=(const ChangeLog&) = delete;

  // From now on records, with every object of `list` part of the drawing.
  void Start(ObjectList& list);
  bool Recording() const { return recording_; }

  // Before `object`'s style (name, colour, pen, flags, label) or its lists
  // are changed by anyone but ObjectList.
  static void Restyling(TGObject& object);
  static void Relinking(TGObject& object);
  // Runs `move` (a recompute, a drag, a transform) and keeps `object`'s
  // placing from before it when it changed.
  template <class Move>
  static void Moving(TGObject& object, Move move) {
    ChangeLog* log = object.log_;
    if (log == nullptr || !log->Keeps(object, object.placingStamp_)) {
      move();
      return;
    }
    const Placing before = PlacingOf(object);
    move();
    if (PlacingOf(object) == before) return;
    object.placingStamp_ = log->action_;
    log->placings_.push_back({&object, before});
  }

  // ObjectList's side.
  void Adopt(TGObject& object) { object.log_ = this; }
  void Added(TGObject& object);
  // Takes objects out of the drawing, their index already -1: new ones are
  // destroyed, the others kept for the history.
  void Removed(std::vector<std::unique_ptr<TGObject>> objects);
  // Rebuilds `object`'s incident list, keeping the lists when it changes.
  void RebuildIncident(TGObject& object);
  // Forgets everything recorded (the drawing is emptied or exchanged).
  void Clear();

  // Ends the action: hands over what it did. Objects at `count` and beyond
  // are not part of the drawing yet (one being placed, the free points of an
  // unfinished construction) and stay new.
  RecordedAction Finish(ObjectList& list, std::size_t count);
  // Undo or redo moved objects in or out: the list as it is is the drawing.
  void Recommit(ObjectList& list);
  // Undo or redo changed objects without moving any: a new action begins.
  void NextAction() { ++action_; }

 private:
  // Whether a change of an object's part last kept at `stamp` must be kept.
  bool Keeps(const TGObject& object, std::uint64_t stamp) const {
    return recording_ && object.committedIndex_ >= 0 && stamp != action_;
  }

  bool recording_ = false;
  std::uint64_t action_ = 1;
  std::vector<TGObject*> fresh_;  // added and not yet part of the drawing, ascending index
  std::vector<std::unique_ptr<TGObject>> removed_;
  std::vector<Before<Placing>> placings_;
  std::vector<Before<ObjectStyle>> styles_;
  std::vector<Before<ObjectLinks>> links_;
};

}  // namespace zelmora
