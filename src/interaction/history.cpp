#include "interaction/history.h"

#include <algorithm>
#include <bit>
#include <memory>
#include <unordered_map>
#include <utility>

namespace zelmora {
namespace {

constexpr const char* kCreationName = "создание ";
constexpr const char* kDeletionName = "удаление ";
constexpr const char* kChangeName = "изменение";

ObjectFields FieldsOf(const TGObject& o) {
  ObjectFields f;
  f.kind = o.Kind();
  f.name = o.Name;
  f.color = o.Color;
  f.penStyle = o.PenStyle;
  f.width = o.Width;
  f.nameVisible = o.NameVisible;
  f.mustDraw = o.MustDraw;
  f.defined = o.Defined;
  f.hidden = o.Hidden;
  f.labelOffsetX = o.LabelOffsetX;
  f.labelOffsetY = o.LabelOffsetY;
  f.method = o.Method;
  f.shape = ShapeOf(o);
  f.look = LookOf(o);
  if (f.kind == kLineKind) {
    const auto& l = static_cast<const TGLine&>(o);
    f.bounded1 = l.Bounded1;
    f.bounded2 = l.Bounded2;
    f.endsOff = l.EndsOff;
  }
  return f;
}

// Bit for bit: a coordinate that is not a number must not count as changed
// at every step, and -0 is not 0 in the file.
bool Same(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// FieldsOf(o) equals f, without copying the name.
bool SameFields(const TGObject& o, const ObjectFields& f) {
  if (o.Kind() != f.kind || o.Name != f.name || o.Color != f.color || o.PenStyle != f.penStyle ||
      o.Width != f.width || o.NameVisible != f.nameVisible || o.MustDraw != f.mustDraw ||
      o.Defined != f.defined || o.Hidden != f.hidden || !Same(o.LabelOffsetX, f.labelOffsetX) ||
      !Same(o.LabelOffsetY, f.labelOffsetY) || o.Method != f.method) {
    return false;
  }
  const ShapeNumbers live = ShapeOf(o);
  if (!std::equal(live.begin(), live.end(), f.shape.begin(), Same)) return false;
  if (f.kind >= kMeasureKind && LookOf(o) != f.look) return false;
  if (f.kind != kLineKind) return true;
  const auto& l = static_cast<const TGLine&>(o);
  return l.Bounded1 == f.bounded1 && l.Bounded2 == f.bounded2 && l.EndsOff == f.endsOff;
}

void SetFields(TGObject& o, const ObjectFields& f) {
  o.Name = f.name;
  o.Color = f.color;
  o.PenStyle = f.penStyle;
  o.Width = f.width;
  o.NameVisible = f.nameVisible;
  o.MustDraw = f.mustDraw;
  o.Defined = f.defined;
  o.Hidden = f.hidden;
  o.LabelOffsetX = f.labelOffsetX;
  o.LabelOffsetY = f.labelOffsetY;
  o.Method = f.method;
  SetShape(o, f.shape);
  SetLook(o, f.look);
  if (o.Kind() == kLineKind) {
    auto& l = static_cast<TGLine&>(o);
    l.Bounded1 = f.bounded1;
    l.Bounded2 = f.bounded2;
    l.EndsOff = f.endsOff;
  }
}

std::unique_ptr<TGObject> MakeObject(int kind) {
  switch (kind) {
    case kPointKind:
      return std::make_unique<TGPoint>();
    case kLineKind:
      return std::make_unique<TGLine>();
    case kCircleKind:
      return std::make_unique<TGCircle>();
    case kAngleKind:
      return std::make_unique<TGAngle>();
    case kMeasureKind:
      return std::make_unique<TGMeasure>();
    case kTextKind:
      return std::make_unique<TGText>();
    default:
      return std::make_unique<TGLength>();
  }
}

ObjectLinks<const TGObject*> LiveLinks(const TGObject& o) {
  return {{o.Parents.begin(), o.Parents.end()},
          {o.Children.begin(), o.Children.end()},
          {o.Incident.begin(), o.Incident.end()}};
}

bool SameLinks(const TGObject& o, const ObjectLinks<const TGObject*>& kept) {
  auto same = [](const std::vector<TGObject*>& live, const std::vector<const TGObject*>& k) {
    return std::equal(live.begin(), live.end(), k.begin(), k.end());
  };
  return same(o.Parents, kept.parents) && same(o.Children, kept.children) &&
         same(o.Incident, kept.incident);
}

// Links as indices, through `indexOf` (-1 for a link to nothing known).
template <class Link, class IndexOf>
ObjectLinks<int> Indexed(const ObjectLinks<Link>& links, IndexOf indexOf) {
  auto convert = [&](const std::vector<Link>& from) {
    std::vector<int> to;
    to.reserve(from.size());
    for (const Link l : from) to.push_back(indexOf(l));
    return to;
  };
  return {convert(links.parents), convert(links.children), convert(links.incident)};
}

void SetLinks(TGObject& o, const ObjectLinks<int>& links, ObjectList& objects) {
  auto convert = [&](const std::vector<int>& from, std::vector<TGObject*>& to) {
    to.clear();
    to.reserve(from.size());
    for (int i : from) to.push_back(objects.at(i));
  };
  convert(links.parents, o.Parents);
  convert(links.children, o.Children);
  convert(links.incident, o.Incident);
}

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

std::size_t BytesOf(const ObjectFields& f) {
  return f.name.capacity() > 15 ? f.name.capacity() : 0;
}
std::size_t BytesOf(const ObjectLinks<int>& l) {
  return (l.parents.capacity() + l.children.capacity() + l.incident.capacity()) * sizeof(int);
}
std::size_t BytesOf(const DocumentInfo& info) {
  std::size_t bytes = sizeof info + info.author.capacity();
  for (const std::string& line : info.comment) bytes += sizeof line + line.capacity();
  return bytes;
}

}  // namespace

std::size_t History::CopyBytes() const {
  std::size_t bytes = baseline_.capacity() * sizeof(Kept);
  for (const Kept& k : baseline_) {
    bytes += BytesOf(k.fields) + (k.links.parents.capacity() + k.links.children.capacity() +
                                  k.links.incident.capacity()) *
                                     sizeof(const TGObject*);
  }
  return bytes;
}

const std::string& History::UndoName() const {
  static const std::string none;
  return CanUndo() ? entries_[position_ - 1].name : none;
}

const std::string& History::RedoName() const {
  static const std::string none;
  return CanRedo() ? entries_[position_].name : none;
}

void History::Recapture(const ObjectList& objects, std::size_t count) {
  baseline_.clear();
  baseline_.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    baseline_.push_back({&objects[i], FieldsOf(objects[i]), LiveLinks(objects[i])});
  }
}

void History::Reset(const ObjectList& objects, const DocumentInfo* info) {
  entries_.clear();
  position_ = 0;
  bytes_ = 0;
  baseId_ = savedId_ = nextId_++;
  Recapture(objects, objects.size());
  counters_ = CountersOf(objects);
  info_ = info ? *info : DocumentInfo{};
}

bool History::Commit(const ObjectList& objects, const DocumentInfo* info, std::size_t transients,
                     std::string name) {
  const std::size_t count = objects.size() - std::min(transients, objects.size());
  // Most actions add and remove nothing: then every object still stands
  // where the copy has it and no table of addresses is needed.
  bool sameObjects = count == baseline_.size();
  for (std::size_t i = 0; sameObjects && i < count; ++i) {
    sameObjects = baseline_[i].object == &objects[i];
  }
  std::unordered_map<const TGObject*, int> keptIndex;
  if (!sameObjects) {
    keptIndex.reserve(baseline_.size());
    for (std::size_t j = 0; j < baseline_.size(); ++j) {
      keptIndex.emplace(baseline_[j].object, static_cast<int>(j));
    }
  }
  auto beforeIndex = [&](const TGObject* o) {
    if (sameObjects) {
      const int i = o != nullptr ? o->Index() : -1;
      return i >= 0 && static_cast<std::size_t>(i) < count &&
                     baseline_[static_cast<std::size_t>(i)].object == o
                 ? i
                 : -1;
    }
    const auto it = keptIndex.find(o);
    return it == keptIndex.end() ? -1 : it->second;
  };
  auto afterIndex = [&](const TGObject* o) {
    return o != nullptr && o->Index() >= 0 && static_cast<std::size_t>(o->Index()) < count
               ? o->Index()
               : -1;
  };

  // Survivors keep their order, so an object found out of order (an
  // address reused by a new object) counts as removed and added.
  Entry entry;
  std::vector<bool> survives(baseline_.size(), false);
  std::vector<int> match(count, -1);
  int last = -1;
  for (std::size_t i = 0; i < count; ++i) {
    const int j = beforeIndex(&objects[i]);
    if (j > last && baseline_[static_cast<std::size_t>(j)].fields.kind == objects[i].Kind()) {
      match[i] = j;
      survives[static_cast<std::size_t>(j)] = true;
      last = j;
    }
  }
  for (std::size_t j = 0; j < baseline_.size(); ++j) {
    if (survives[j]) continue;
    const Kept& k = baseline_[j];
    entry.removed.push_back({j, k.fields, Indexed(k.links, beforeIndex)});
  }
  for (std::size_t i = 0; i < count; ++i) {
    const TGObject& o = objects[i];
    if (match[i] < 0) {
      entry.added.push_back({i, FieldsOf(o), Indexed(LiveLinks(o), afterIndex)});
      continue;
    }
    const Kept& k = baseline_[static_cast<std::size_t>(match[i])];
    const bool fieldsChanged = !SameFields(o, k.fields);
    const bool linksChanged = !SameLinks(o, k.links);
    if (!fieldsChanged && !linksChanged) continue;
    Changed c;
    c.before = static_cast<std::size_t>(match[i]);
    c.after = i;
    if (fieldsChanged) {
      c.fieldsChanged = true;
      c.fieldsBefore = k.fields;
      c.fieldsAfter = FieldsOf(o);
    }
    if (linksChanged) {
      c.linksChanged = true;
      c.linksBefore = Indexed(k.links, beforeIndex);
      c.linksAfter = Indexed(LiveLinks(o), afterIndex);
    }
    entry.changed.push_back(std::move(c));
  }
  const NameCounters counters = CountersOf(objects);
  if (info != nullptr && *info != info_) {
    entry.infoBefore = info_;
    entry.infoAfter = *info;
  }

  // Removing an object that never became part of the drawing (the one
  // being placed, a refused free point) rebuilds every incident list. That
  // is no action of its own: the lists join the newest step, so that
  // stepping back and forth still gives them exactly.
  const bool linksOnly = entry.removed.empty() && entry.added.empty() && !entry.infoAfter &&
                         std::none_of(entry.changed.begin(), entry.changed.end(),
                                      [](const Changed& c) { return c.fieldsChanged; });
  if (linksOnly && !entry.changed.empty()) {
    if (CanUndo()) FoldLinks(entries_[position_ - 1], entry.changed);
    for (const Changed& c : entry.changed) baseline_[c.before].links = LiveLinks(objects[c.after]);
    entry.changed.clear();
  }

  if (entry.removed.empty() && entry.added.empty() && entry.changed.empty() && !entry.infoAfter) {
    // Names taken by objects that were then dropped (an object being
    // placed, the free points of a cancelled construction) stay taken; the
    // newest entry's result includes them so that redoing it gives the
    // drawing as it was.
    if (counters != counters_ && CanUndo() && !CanRedo()) entries_.back().countersAfter = counters;
    counters_ = counters;
    return false;
  }

  if (name.empty()) {
    const auto named = [](const Stored& s) { return !s.fields.name.empty(); };
    if (const auto it = std::find_if(entry.added.rbegin(), entry.added.rend(), named);
        it != entry.added.rend()) {
      name = kCreationName + it->fields.name;
    } else if (const auto first = std::find_if(entry.removed.begin(), entry.removed.end(), named);
               first != entry.removed.end() && entry.added.empty()) {
      name = kDeletionName + first->fields.name;
    } else {
      name = kChangeName;
    }
  }
  entry.name = std::move(name);
  entry.countersBefore = counters_;
  entry.countersAfter = counters;
  entry.bytes = sizeof(Entry) + entry.name.capacity();
  for (const auto* list : {&entry.removed, &entry.added}) {
    for (const Stored& s : *list) entry.bytes += sizeof s + BytesOf(s.fields) + BytesOf(s.links);
  }
  for (const Changed& c : entry.changed) {
    entry.bytes += sizeof c + BytesOf(c.fieldsBefore) + BytesOf(c.fieldsAfter) +
                   BytesOf(c.linksBefore) + BytesOf(c.linksAfter);
  }
  if (entry.infoAfter) entry.bytes += BytesOf(*entry.infoBefore) + BytesOf(*entry.infoAfter);

  // A new action ends the redo branch; a saved state inside it is gone for good.
  while (CanRedo()) {
    if (entries_.back().id == savedId_) savedId_ = kNoState;
    bytes_ -= entries_.back().bytes;
    entries_.pop_back();
  }
  entry.id = nextId_++;
  bytes_ += entry.bytes;
  const bool structural = !entry.removed.empty() || !entry.added.empty();
  if (structural) {
    Recapture(objects, count);
  } else {
    for (const Changed& c : entry.changed) {
      Kept& k = baseline_[c.before];
      if (c.fieldsChanged) k.fields = c.fieldsAfter;
      if (c.linksChanged) k.links = LiveLinks(objects[c.after]);
    }
  }
  counters_ = counters;
  if (entry.infoAfter) info_ = *entry.infoAfter;
  entries_.push_back(std::move(entry));
  position_ = entries_.size();
  Trim();
  return true;
}

void History::FoldLinks(Entry& entry, std::vector<Changed>& changes) {
  // Index after the entry -> index before it; -1 for an object it added.
  std::vector<int> toBefore(baseline_.size(), -1);
  auto added = entry.added.begin();
  auto removed = entry.removed.begin();
  std::size_t before = 0;
  for (std::size_t i = 0; i < toBefore.size(); ++i) {
    if (added != entry.added.end() && added->index == i) {
      ++added;
      continue;
    }
    while (removed != entry.removed.end() && removed->index == before) {
      ++removed;
      ++before;
    }
    toBefore[i] = static_cast<int>(before++);
  }
  auto mapped = [&](const ObjectLinks<int>& links) {
    return Indexed(links, [&](int i) {
      return i >= 0 && static_cast<std::size_t>(i) < toBefore.size()
                 ? toBefore[static_cast<std::size_t>(i)]
                 : -1;
    });
  };
  std::unordered_map<std::size_t, std::size_t> changedAt;  // by index after the entry
  for (std::size_t k = 0; k < entry.changed.size(); ++k)
    changedAt.emplace(entry.changed[k].after, k);
  std::size_t grown = 0;
  for (Changed& c : changes) {
    grown += 2 * BytesOf(c.linksAfter);
    if (toBefore[c.after] < 0) {
      const auto it = std::find_if(entry.added.begin(), entry.added.end(),
                                   [&](const Stored& s) { return s.index == c.after; });
      if (it != entry.added.end()) it->links = c.linksAfter;
    } else if (const auto it = changedAt.find(c.after); it != changedAt.end()) {
      Changed& known = entry.changed[it->second];
      if (!known.linksChanged) {
        known.linksChanged = true;
        known.linksBefore = mapped(c.linksBefore);
      }
      known.linksAfter = c.linksAfter;
    } else {
      Changed joined;
      joined.before = static_cast<std::size_t>(toBefore[c.after]);
      joined.after = c.after;
      joined.linksChanged = true;
      joined.linksBefore = mapped(c.linksBefore);
      joined.linksAfter = c.linksAfter;
      entry.changed.push_back(std::move(joined));
    }
  }
  entry.bytes += grown;
  bytes_ += grown;
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

void History::Apply(ObjectList& objects, DocumentInfo* info, const Entry& entry, bool backwards) {
  const std::vector<Stored>& gone = backwards ? entry.added : entry.removed;
  const std::vector<Stored>& back = backwards ? entry.removed : entry.added;
  if (!gone.empty()) {
    std::vector<std::size_t> indices;
    indices.reserve(gone.size());
    for (const Stored& s : gone) indices.push_back(s.index);
    objects.TakeOut(indices);
  }
  if (!back.empty()) {
    std::vector<std::pair<std::size_t, std::unique_ptr<TGObject>>> placed;
    placed.reserve(back.size());
    for (const Stored& s : back) placed.emplace_back(s.index, MakeObject(s.fields.kind));
    objects.PutIn(std::move(placed));
    // Links are set once every object is in place: they may point forward.
    for (const Stored& s : back) {
      TGObject& o = objects[s.index];
      SetFields(o, s.fields);
      SetLinks(o, s.links, objects);
    }
  }
  for (const Changed& c : entry.changed) {
    const std::size_t index = backwards ? c.before : c.after;
    TGObject& o = objects[index];
    if (c.fieldsChanged) SetFields(o, backwards ? c.fieldsBefore : c.fieldsAfter);
    if (c.linksChanged) SetLinks(o, backwards ? c.linksBefore : c.linksAfter, objects);
  }
  counters_ = backwards ? entry.countersBefore : entry.countersAfter;
  SetCounters(objects, counters_);
  if (entry.infoAfter) {
    info_ = backwards ? *entry.infoBefore : *entry.infoAfter;
    if (info != nullptr) *info = info_;
  }
  if (!gone.empty() || !back.empty()) {
    Recapture(objects, objects.size());
    return;
  }
  for (const Changed& c : entry.changed) {
    const std::size_t index = backwards ? c.before : c.after;
    Kept& k = baseline_[index];
    k.fields = FieldsOf(objects[index]);
    if (c.linksChanged) k.links = LiveLinks(objects[index]);
  }
}

}  // namespace zelmora
