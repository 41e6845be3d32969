#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "geometry/change_log.h"
#include "geometry/tg_circle.h"
#include "geometry/tg_line.h"
#include "geometry/tg_measure.h"
#include "geometry/tg_object.h"
#include "geometry/tg_point.h"
#include "geometry/tg_text.h"
#include "geometry/tg_value.h"

namespace zelmora {

// What a new object starts with; the settings supply it.
struct CreationDefaults {
  std::string pointPrefix = "A";
  std::string linePrefix = "b";
  std::string circlePrefix = "S";
  int colorIndex = 0;
  int width = 1;
  bool endsOff = true;
  bool pointNameVisible = true;
  bool lineNameVisible = true;
  bool circleNameVisible = true;
};

// The drawing: every object in creation order, the name counters and the
// modified flag. It owns the objects; an object's index is its number in
// documents, macros and lists.
class ObjectList {
 public:
  ObjectList() = default;
  ObjectList(const ObjectList&) = delete;
  ObjectList& operator=(const ObjectList&) = delete;

  // Each appends a new object with its class's creation values and, for
  // points, lines and circles, the next default name of its kind.
  TGPoint& AddPoint();
  TGLine& AddLine();
  TGCircle& AddCircle();
  TGAngle& AddAngle();
  TGLength& AddLength();
  // Measurements are named m1, m2, ..., texts t1, t2, ...: texts refer to
  // measurements by name, so the names do not depend on the user's settings.
  TGMeasure& AddMeasure();
  TGText& AddText();
  // By kind code 1..7; nullptr for any other code.
  TGObject* AddOfKind(int kind);

  std::size_t size() const { return objects_.size(); }
  bool empty() const { return objects_.empty(); }
  TGObject& operator[](std::size_t i) { return *objects_[i]; }
  const TGObject& operator[](std::size_t i) const { return *objects_[i]; }
  TGObject* at(int i);  // nullptr when out of range
  const TGObject* at(int i) const;
  TGObject& back() { return *objects_.back(); }
  const TGObject& back() const { return *objects_.back(); }

  // Completes new objects built together on the same parents (one, or the
  // two points of an intersection): links them to `parents` in pick order
  // (each parent learns of its new children and then rebuilds its incident
  // list), gives the k-th object the code `method` + k (a crossing's second
  // root follows its first), makes them drawn and computes them in order.
  // Marks the drawing modified.
  void Complete(const std::vector<TGObject*>& objects, const std::vector<TGObject*>& parents,
                MethodCode method);
  void Complete(TGObject& object, const std::vector<TGObject*>& parents, MethodCode method) {
    Complete(std::vector<TGObject*>{&object}, parents, method);
  }

  // Removes the object at `index` and every object built on it, directly or
  // not; the survivors keep their order and their Incident lists are rebuilt.
  void DeleteWithDescendants(std::size_t index);
  // Removes the last `count` objects, which nothing else may reference (used
  // to undo a reader that failed half-way).
  void DropLast(std::size_t count);
  // Takes the objects at `indices` (ascending) out of the list, the rest
  // keeping their order; nothing left behind may point at them. Together with
  // PutIn this lets a history move objects out and back without copying them.
  std::vector<std::unique_ptr<TGObject>> TakeOut(const std::vector<std::size_t>& indices);
  // Puts each object at its index in the resulting list (indices ascending).
  void PutIn(std::vector<std::pair<std::size_t, std::unique_ptr<TGObject>>> placed);
  // Destroys every object and resets the name counters.
  void Clear();
  // Exchanges the whole drawing (objects, counters, flag, defaults) with
  // `other`: a reader builds into a fresh list and commits only on success.
  // While this list's changes are recorded, its old objects go to its log
  // instead of to `other`, and the history sees a removal and an addition.
  void Swap(ObjectList& other);

  // What the actions on this drawing did, for the history.
  ChangeLog& Log() { return log_; }

  // Whether the drawing changed since it was opened or saved; every change
  // a user could lose marks it.
  bool Modified() const { return modified_; }
  void MarkModified() { modified_ = true; }
  void ClearModified() { modified_ = false; }

  CreationDefaults defaults;
  int pointCounter = 0;
  int lineCounter = 0;
  int circleCounter = 0;
  int measureCounter = 0;
  int textCounter = 0;
  static constexpr const char* kMeasurePrefix = "m";
  static constexpr const char* kTextPrefix = "t";

 private:
  template <class T>
  T& Append();
  void Renumber();
  // Moves the objects whose index is -1 out of the list and to the log.
  void RemoveFlagged();

  std::vector<std::unique_ptr<TGObject>> objects_;
  ChangeLog log_;
  bool modified_ = false;
};

}  // namespace zelmora
