#include "geometry/object_list.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "geometry/graph.h"
#include "geometry/utf8.h"

namespace zelmora {
namespace {

std::string DefaultName(const std::string& prefix, int& counter) {
  ++counter;
  return Utf8Prefix(prefix + std::to_string(counter), kMaxNameLength);
}

}  // namespace

template <class T>
T& ObjectList::Append() {
  auto object = std::make_unique<T>();
  T& ref = *object;
  ref.Color = PaletteColor(defaults.colorIndex, kBlack);
  ref.Width = defaults.width;
  ref.index_ = static_cast<int>(objects_.size());
  objects_.push_back(std::move(object));
  log_.Added(ref);
  return ref;
}

TGPoint& ObjectList::AddPoint() {
  TGPoint& p = Append<TGPoint>();
  p.Name = DefaultName(defaults.pointPrefix, pointCounter);
  p.NameVisible = defaults.pointNameVisible;
  return p;
}

TGLine& ObjectList::AddLine() {
  TGLine& l = Append<TGLine>();
  l.Name = DefaultName(defaults.linePrefix, lineCounter);
  l.NameVisible = defaults.lineNameVisible;
  l.EndsOff = defaults.endsOff;
  return l;
}

TGCircle& ObjectList::AddCircle() {
  TGCircle& c = Append<TGCircle>();
  c.Name = DefaultName(defaults.circlePrefix, circleCounter);
  c.NameVisible = defaults.circleNameVisible;
  return c;
}

TGAngle& ObjectList::AddAngle() {
  return Append<TGAngle>();
}
TGLength& ObjectList::AddLength() {
  return Append<TGLength>();
}

TGMeasure& ObjectList::AddMeasure() {
  TGMeasure& m = Append<TGMeasure>();
  m.Name = DefaultName(kMeasurePrefix, measureCounter);
  return m;
}

TGText& ObjectList::AddText() {
  TGText& t = Append<TGText>();
  t.Name = DefaultName(kTextPrefix, textCounter);
  return t;
}

TGObject* ObjectList::AddOfKind(int kind) {
  switch (kind) {
    case kPointKind:
      return &AddPoint();
    case kLineKind:
      return &AddLine();
    case kCircleKind:
      return &AddCircle();
    case kAngleKind:
      return &AddAngle();
    case kLengthKind:
      return &AddLength();
    case kMeasureKind:
      return &AddMeasure();
    case kTextKind:
      return &AddText();
    default:
      return nullptr;
  }
}

const TGObject* ObjectList::at(int i) const {
  if (i < 0 || static_cast<std::size_t>(i) >= objects_.size()) return nullptr;
  return objects_[static_cast<std::size_t>(i)].get();
}

TGObject* ObjectList::at(int i) {
  if (i < 0 || static_cast<std::size_t>(i) >= objects_.size()) return nullptr;
  return objects_[static_cast<std::size_t>(i)].get();
}

void ObjectList::Renumber() {
  for (std::size_t i = 0; i < objects_.size(); ++i) objects_[i]->index_ = static_cast<int>(i);
}

// Linear replacement for marking every descendant with its path count and
// deleting depth-first: the set removed and the order of the survivors (and of
// their Children) are the same, but a lattice with exponentially many paths
// costs one pass.
void ObjectList::DeleteWithDescendants(std::size_t index) {
  if (index >= objects_.size()) return;
  MarkModified();
  std::vector<TGObject*> doomed;
  GraphWalker::ForEachDescendant(*objects_[index], [&](TGObject& o) {
    o.index_ = -1;  // flags the object for removal below
    doomed.push_back(&o);
  });
  // A doomed object's parents are either doomed themselves or survivors that
  // must forget it; its children are all doomed. Each survivor's Children is
  // filtered once, so a point carrying a long chain of children costs one pass.
  std::vector<TGObject*> bereaved;
  for (TGObject* o : doomed) {
    for (TGObject* parent : o->Parents) {
      if (parent != nullptr && parent->index_ >= 0) bereaved.push_back(parent);
    }
  }
  std::sort(bereaved.begin(), bereaved.end());
  bereaved.erase(std::unique(bereaved.begin(), bereaved.end()), bereaved.end());
  for (TGObject* parent : bereaved) {
    ChangeLog::Relinking(*parent);
    std::erase_if(parent->Children,
                  [](const TGObject* child) { return child != nullptr && child->index_ < 0; });
  }
  RemoveFlagged();
  for (auto& o : objects_) log_.RebuildIncident(*o);
}

void ObjectList::RemoveFlagged() {
  std::vector<std::unique_ptr<TGObject>> removed;
  const auto gone = std::stable_partition(objects_.begin(), objects_.end(),
                                          [](const auto& o) { return o->index_ >= 0; });
  std::move(gone, objects_.end(), std::back_inserter(removed));
  objects_.erase(gone, objects_.end());
  Renumber();
  log_.Removed(std::move(removed));
}

void ObjectList::Complete(const std::vector<TGObject*>& objects,
                          const std::vector<TGObject*>& parents, MethodCode method) {
  for (TGObject* object : objects) {
    ChangeLog::Relinking(*object);
    ChangeLog::Restyling(*object);
  }
  for (TGObject* parent : parents) {
    ChangeLog::Relinking(*parent);
    for (TGObject* object : objects) {
      object->Parents.push_back(parent);
      parent->Children.push_back(object);
    }
    parent->RebuildIncident();
  }
  // Still method 0 here, so the objects' own parents reach their incident
  // lists only at the next rebuild; the intersections' tie-breaks depend on that.
  for (TGObject* object : objects) object->RebuildIncident();
  for (TGObject* object : objects) {
    object->Method = method;
    method = MethodCode{Number(method) + 1};
    object->MustDraw = true;
  }
  for (TGObject* object : objects) ChangeLog::Moving(*object, [object] { object->Recompute(); });
  MarkModified();
}

void ObjectList::DropLast(std::size_t count) {
  count = std::min(count, objects_.size());
  for (std::size_t i = objects_.size() - count; i < objects_.size(); ++i) objects_[i]->index_ = -1;
  RemoveFlagged();
}

std::vector<std::unique_ptr<TGObject>> ObjectList::TakeOut(
    const std::vector<std::size_t>& indices) {
  std::vector<std::unique_ptr<TGObject>> taken;
  taken.reserve(indices.size());
  for (std::size_t i : indices) {
    if (i < objects_.size() && objects_[i]) taken.push_back(std::move(objects_[i]));
  }
  std::erase_if(objects_, [](const std::unique_ptr<TGObject>& o) { return !o; });
  Renumber();
  return taken;
}

void ObjectList::PutIn(std::vector<std::pair<std::size_t, std::unique_ptr<TGObject>>> placed) {
  if (placed.empty()) return;
  std::vector<std::unique_ptr<TGObject>> merged;
  merged.reserve(objects_.size() + placed.size());
  auto next = placed.begin();
  auto rest = objects_.begin();
  while (next != placed.end() || rest != objects_.end()) {
    if (next != placed.end() && (next->first <= merged.size() || rest == objects_.end())) {
      merged.push_back(std::move(next->second));
      ++next;
    } else {
      merged.push_back(std::move(*rest));
      ++rest;
    }
  }
  objects_ = std::move(merged);
  Renumber();
}

void ObjectList::Swap(ObjectList& other) {
  std::swap(defaults, other.defaults);
  std::swap(modified_, other.modified_);
  std::swap(pointCounter, other.pointCounter);
  std::swap(lineCounter, other.lineCounter);
  std::swap(circleCounter, other.circleCounter);
  std::swap(measureCounter, other.measureCounter);
  std::swap(textCounter, other.textCounter);
  objects_.swap(other.objects_);
  for (auto& o : objects_) log_.Added(*o);
  // A recorded drawing's objects may be needed by its history: the log
  // keeps them, and the new drawing counts as added until the history starts
  // afresh.
  if (log_.Recording()) {
    for (auto& o : other.objects_) o->index_ = -1;
    log_.Removed(std::move(other.objects_));
    other.objects_.clear();
  } else {
    for (auto& o : other.objects_) other.log_.Added(*o);
  }
}

void ObjectList::Clear() {
  log_.Clear();
  objects_.clear();
  pointCounter = lineCounter = circleCounter = measureCounter = textCounter = 0;
}

}  // namespace zelmora
