#include "interaction/history.h"

#include "geometry/tg_measure.h"
#include "geometry/tg_text.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace zelmora {
namespace {

constexpr const char* kCreationName = "создание ";
constexpr const char* kDeletionName = "удаление ";
constexpr const char* kChangeName = "изменение";

NameCounters CountersOf(const ObjectList& objects) {
  return {objects.pointCounter, objects.lineCounter, objects.circleCounter, objects.measureCounter,
          objects.textCounter};
}

void SetCounters(ObjectList& objects, const NameCounters& c) {
  objects.pointCounter = c.point;
  objects.lineCounter = c.line;
  objects.circleCounter = c.circle;
  objects.measureCounter = c.measure;
  objects.textCounter = c.text;
}

std::size_t HeapBytes(const std::string& s) {
  return s.capacity() > 15 ? s.capacity() : 0;
}
std::size_t BytesOf(const ObjectLinks& l) {
  return sizeof l +
         (l.parents.capacity() + l.children.capacity() + l.incident.capacity()) * sizeof(TGObject*);
}
std::size_t BytesOf(const DocumentInfo& info) {
  std::size_t bytes = sizeof info + info.author.capacity();
  for (const std::string& line : info.comment) bytes += sizeof line + line.capacity();
  return bytes;
}
std::size_t BytesOf(const TGObject& o) {
  std::size_t bytes = HeapBytes(o.Name) + BytesOf(LinksOf(o));
  switch (o.Kind()) {
    case kPointKind:
      return bytes + sizeof(TGPoint);
    case kLineKind:
      return bytes + sizeof(TGLine);
    case kCircleKind:
      return bytes + sizeof(TGCircle);
    case kMeasureKind:
      return bytes + sizeof(TGMeasure);
    case kTextKind:
      return bytes + sizeof(TGText) + HeapBytes(static_cast<const TGText&>(o).Text);
    default:
      return bytes + sizeof(TGLength);
  }
}

}  // namespace

const std::string& History::UndoName() const {
  static const std::string none;
  return CanUndo() ? entries_[position_ - 1].name : none;
}

const std::string& History::RedoName() const {
  static const std::string none;
  return CanRedo() ? entries_[position_].name : none;
}

void History::Reset(ObjectList& objects, const DocumentInfo* info) {
  entries_.clear();
  position_ = 0;
  bytes_ = 0;
  baseId_ = savedId_ = nextId_++;
  objects.Log().Start(objects);
  counters_ = CountersOf(objects);
  info_ = info ? *info : DocumentInfo{};
}

// What the log recorded, less the styles and lists that were changed and
// then set back (a dialog confirmed unchanged, an incident list rebuilt the
// same). Placings are recorded only when they changed.
History::Entry History::EntryOf(RecordedAction action) {
  Entry entry;
  for (TGObject* o : action.added) {
    entry.added.push_back({static_cast<std::size_t>(o->Index()), o, nullptr});
  }
  for (auto& [index, owned] : action.removed) {
    TGObject* o = owned.get();
    entry.removed.push_back({index, o, std::move(owned)});
  }
  entry.placings = std::move(action.placings);
  entry.styles = std::move(action.styles);
  entry.links = std::move(action.links);
  std::erase_if(entry.styles, [](const auto& b) { return SameStyle(*b.object, b.state); });
  std::erase_if(entry.links, [](const auto& b) { return SameLinks(*b.object, b.state); });
  return entry;
}

// An object moved away and back within an action leaves a placing that is
// no change; only when every other part is unchanged is that looked at.
bool History::ChangesSomething(const Entry& entry) const {
  if (!entry.added.empty() || !entry.removed.empty() || entry.infoAfter || !entry.styles.empty()) {
    return true;
  }
  return std::any_of(entry.placings.begin(), entry.placings.end(),
                     [](const auto& b) { return PlacingOf(*b.object) != b.state; });
}

bool History::Commit(ObjectList& objects, const DocumentInfo* info, std::size_t transients,
                     std::string name) {
  const std::size_t count = objects.size() - std::min(transients, objects.size());
  Entry entry = EntryOf(objects.Log().Finish(objects, count));
  if (info != nullptr && *info != info_) {
    entry.infoBefore = info_;
    entry.infoAfter = *info;
  }
  const NameCounters counters = CountersOf(objects);
  if (!ChangesSomething(entry)) {
    FoldLinks(std::move(entry.links));
    // Names taken by objects that were then dropped (an object being
    // placed, the free points of a cancelled construction) stay taken; the
    // newest entry's result includes them so that redoing it gives the
    // drawing as it was.
    if (counters != counters_ && CanUndo() && !CanRedo()) entries_.back().countersAfter = counters;
    counters_ = counters;
    return false;
  }
  NameEntry(entry, std::move(name));
  entry.countersBefore = counters_;
  entry.countersAfter = counters;
  counters_ = counters;
  if (entry.infoAfter) info_ = *entry.infoAfter;
  Push(std::move(entry));
  return true;
}

// Removing an object that never became part of the drawing (the one being
// placed, a refused free point) rebuilds every incident list. That is no
// action of its own: the lists join the newest entry, so that stepping back
// and forth still gives them exactly.
void History::FoldLinks(std::vector<Before<ObjectLinks>> links) {
  if (links.empty() || !CanUndo()) return;
  Entry& newest = entries_[position_ - 1];
  // The entry already gives these objects' lists back: the ones it kept, and
  // the ones it added, which undo takes out as they are.
  std::unordered_set<const TGObject*> known;
  for (const auto& b : newest.links) known.insert(b.object);
  for (const Placed& p : newest.added) known.insert(p.object);
  std::size_t grown = 0;
  for (auto& b : links) {
    if (known.contains(b.object)) continue;
    grown += sizeof b + BytesOf(b.state);
    newest.links.push_back(std::move(b));
  }
  newest.bytes += grown;
  bytes_ += grown;
}

void History::NameEntry(Entry& entry, std::string name) const {
  if (name.empty()) {
    const auto named = [](const Placed& p) { return !p.object->Name.empty(); };
    if (const auto it = std::find_if(entry.added.rbegin(), entry.added.rend(), named);
        it != entry.added.rend()) {
      name = kCreationName + it->object->Name;
    } else if (const auto first = std::find_if(entry.removed.begin(), entry.removed.end(), named);
               first != entry.removed.end() && entry.added.empty()) {
      name = kDeletionName + first->object->Name;
    } else {
      name = kChangeName;
    }
  }
  entry.name = std::move(name);
}

void History::Push(Entry entry) {
  entry.bytes = sizeof(Entry) + entry.name.capacity() +
                entry.placings.capacity() * sizeof(Before<Placing>) +
                entry.styles.capacity() * sizeof(Before<ObjectStyle>) +
                entry.links.capacity() * sizeof(Before<ObjectLinks>);
  for (const auto& b : entry.styles) entry.bytes += HeapBytes(b.state.name);
  for (const auto& b : entry.links) entry.bytes += BytesOf(b.state) - sizeof b.state;
  // The removed objects live in the entry while it is applied; the added
  // ones belong to the drawing then, and to the entry only once undone.
  for (const Placed& p : entry.removed) entry.bytes += sizeof p + BytesOf(*p.object);
  entry.bytes += entry.added.size() * sizeof(Placed);
  if (entry.infoAfter) entry.bytes += BytesOf(*entry.infoBefore) + BytesOf(*entry.infoAfter);

  // A new action ends the redo branch; a saved state inside it is gone for good.
  while (CanRedo()) {
    if (entries_.back().id == savedId_) savedId_ = kNoState;
    bytes_ -= entries_.back().bytes;
    entries_.pop_back();
  }
  entry.id = nextId_++;
  bytes_ += entry.bytes;
  entries_.push_back(std::move(entry));
  position_ = entries_.size();
  Trim();
}

void History::Trim() {
  while (bytes_ > budget_ && !entries_.empty()) {
    bytes_ -= entries_.front().bytes;
    baseId_ = entries_.front().id;
    entries_.pop_front();
    position_ = std::min(position_, entries_.size());
  }
}

void History::Undo(ObjectList& objects, DocumentInfo* info) {
  if (!CanUndo()) return;
  --position_;
  Apply(objects, info, entries_[position_], true);
}

void History::Redo(ObjectList& objects, DocumentInfo* info) {
  if (!CanRedo()) return;
  Apply(objects, info, entries_[position_], false);
  ++position_;
}

namespace {

// Each kept part takes the live one's place, and the live one is kept
// instead: the same entry then serves the step back and the step forth.
void SwapKept(std::vector<Before<Placing>>& placings, std::vector<Before<ObjectStyle>>& styles,
              std::vector<Before<ObjectLinks>>& links) {
  for (auto& b : placings) {
    const Placing now = PlacingOf(*b.object);
    SetPlacing(*b.object, b.state);
    b.state = now;
  }
  for (auto& b : styles) {
    ObjectStyle now = StyleOf(*b.object);
    SetStyle(*b.object, b.state);
    b.state = std::move(now);
  }
  for (auto& b : links) {
    std::swap(b.object->Parents, b.state.parents);
    std::swap(b.object->Children, b.state.children);
    std::swap(b.object->Incident, b.state.incident);
  }
}

}  // namespace

void History::Apply(ObjectList& objects, DocumentInfo* info, Entry& entry, bool backwards) {
  SwapKept(entry.placings, entry.styles, entry.links);
  std::vector<Placed>& out = backwards ? entry.added : entry.removed;
  std::vector<Placed>& in = backwards ? entry.removed : entry.added;
  if (!out.empty()) {
    std::vector<std::size_t> indices;
    indices.reserve(out.size());
    for (const Placed& p : out) indices.push_back(p.index);
    std::vector<std::unique_ptr<TGObject>> taken = objects.TakeOut(indices);
    for (std::size_t k = 0; k < taken.size() && k < out.size(); ++k) {
      out[k].owned = std::move(taken[k]);
    }
  }
  if (!in.empty()) {
    std::vector<std::pair<std::size_t, std::unique_ptr<TGObject>>> placed;
    placed.reserve(in.size());
    for (Placed& p : in) placed.emplace_back(p.index, std::move(p.owned));
    objects.PutIn(std::move(placed));
  }
  counters_ = backwards ? entry.countersBefore : entry.countersAfter;
  SetCounters(objects, counters_);
  if (entry.infoAfter) {
    info_ = backwards ? *entry.infoBefore : *entry.infoAfter;
    if (info != nullptr) *info = info_;
  }
  if (!out.empty() || !in.empty()) {
    objects.Log().Recommit(objects);
  } else {
    objects.Log().NextAction();
  }
}

}  // namespace zelmora
