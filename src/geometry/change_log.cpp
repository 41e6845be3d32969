#include "geometry/change_log.h"

#include <algorithm>
#include <bit>

#include "geometry/object_list.h"

namespace zelmora {
namespace {

bool Same(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

const TGLine* AsLine(const TGObject& object) {
  return object.Kind() == kLineKind ? static_cast<const TGLine*>(&object) : nullptr;
}

}  // namespace

ObjectStyle StyleOf(const TGObject& o) {
  ObjectStyle s;
  s.name = o.Name;
  s.color = o.Color;
  s.penStyle = o.PenStyle;
  s.width = o.Width;
  s.nameVisible = o.NameVisible;
  s.mustDraw = o.MustDraw;
  s.hidden = o.Hidden;
  s.labelOffsetX = o.LabelOffsetX;
  s.labelOffsetY = o.LabelOffsetY;
  s.method = o.Method;
  if (const TGLine* line = AsLine(o)) s.endsOff = line->EndsOff;
  if (o.Kind() >= kMeasureKind) s.look = LookOf(o);
  return s;
}

void SetStyle(TGObject& o, const ObjectStyle& s) {
  o.Name = s.name;
  o.Color = s.color;
  o.PenStyle = s.penStyle;
  o.Width = s.width;
  o.NameVisible = s.nameVisible;
  o.MustDraw = s.mustDraw;
  o.Hidden = s.hidden;
  o.LabelOffsetX = s.labelOffsetX;
  o.LabelOffsetY = s.labelOffsetY;
  o.Method = s.method;
  if (o.Kind() == kLineKind) static_cast<TGLine&>(o).EndsOff = s.endsOff;
  if (o.Kind() >= kMeasureKind) SetLook(o, s.look);
}

bool SameStyle(const TGObject& o, const ObjectStyle& s) {
  const TGLine* line = AsLine(o);
  return o.Name == s.name && o.Color == s.color && o.PenStyle == s.penStyle && o.Width == s.width &&
         o.NameVisible == s.nameVisible && o.MustDraw == s.mustDraw && o.Hidden == s.hidden &&
         Same(o.LabelOffsetX, s.labelOffsetX) && Same(o.LabelOffsetY, s.labelOffsetY) &&
         o.Method == s.method && (line == nullptr || line->EndsOff == s.endsOff) &&
         (o.Kind() < kMeasureKind || LookOf(o) == s.look);
}

ObjectLinks LinksOf(const TGObject& o) {
  return {o.Parents, o.Children, o.Incident};
}

bool SameLinks(const TGObject& o, const ObjectLinks& links) {
  return o.Parents == links.parents && o.Children == links.children && o.Incident == links.incident;
}

void ChangeLog::Start(ObjectList& list) {
  Clear();
  // A drawing just opened or emptied went through these whole; what they
  // grew to would stay resident until the next drawing as large.
  fresh_.shrink_to_fit();
  removed_.shrink_to_fit();
  placings_.shrink_to_fit();
  styles_.shrink_to_fit();
  links_.shrink_to_fit();
  recording_ = true;
  Recommit(list);
}

void ChangeLog::Restyling(TGObject& object) {
  ChangeLog* log = object.log_;
  if (log == nullptr || !log->Keeps(object, object.styleStamp_)) return;
  object.styleStamp_ = log->action_;
  log->styles_.push_back({&object, StyleOf(object)});
}

void ChangeLog::Relinking(TGObject& object) {
  ChangeLog* log = object.log_;
  if (log == nullptr || !log->Keeps(object, object.linksStamp_)) return;
  object.linksStamp_ = log->action_;
  log->links_.push_back({&object, LinksOf(object)});
}

void ChangeLog::RebuildIncident(TGObject& object) {
  if (!Keeps(object, object.linksStamp_)) {
    object.RebuildIncident();
    return;
  }
  std::vector<TGObject*> before = object.Incident;
  object.RebuildIncident();
  if (object.Incident == before) return;
  object.linksStamp_ = action_;
  links_.push_back({&object, {object.Parents, object.Children, std::move(before)}});
}

void ChangeLog::Added(TGObject& object) {
  object.log_ = this;
  object.committedIndex_ = -1;
  if (recording_) fresh_.push_back(&object);
}

void ChangeLog::Removed(std::vector<std::unique_ptr<TGObject>> objects) {
  if (!recording_) return;
  std::erase_if(fresh_, [](const TGObject* o) { return o->index_ < 0; });
  for (auto& o : objects) {
    if (o->committedIndex_ >= 0) removed_.push_back(std::move(o));
  }
}

void ChangeLog::Clear() {
  fresh_.clear();
  removed_.clear();
  placings_.clear();
  styles_.clear();
  links_.clear();
  ++action_;
}

RecordedAction ChangeLog::Finish(ObjectList& list, std::size_t count) {
  RecordedAction done;
  const auto waiting = std::partition(fresh_.begin(), fresh_.end(), [count](const TGObject* o) {
    return static_cast<std::size_t>(o->index_) < count;
  });
  done.added.assign(fresh_.begin(), waiting);
  fresh_.erase(fresh_.begin(), waiting);
  std::sort(done.added.begin(), done.added.end(),
            [](const TGObject* a, const TGObject* b) { return a->index_ < b->index_; });
  for (TGObject* o : done.added) o->committedIndex_ = o->index_;
  for (auto& o : removed_) {
    done.removed.emplace_back(static_cast<std::size_t>(o->committedIndex_), std::move(o));
  }
  removed_.clear();
  std::sort(done.removed.begin(), done.removed.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  // A removal moves the objects after it up.
  if (!done.removed.empty()) {
    for (std::size_t i = 0; i < std::min(count, list.size()); ++i) {
      list[i].committedIndex_ = static_cast<int>(i);
    }
  }
  done.placings = std::move(placings_);
  done.styles = std::move(styles_);
  done.links = std::move(links_);
  placings_.clear();
  styles_.clear();
  links_.clear();
  ++action_;
  return done;
}

void ChangeLog::Recommit(ObjectList& list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    list[i].log_ = this;
    list[i].committedIndex_ = static_cast<int>(i);
  }
  ++action_;
}

}  // namespace zelmora
