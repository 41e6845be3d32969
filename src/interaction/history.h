#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "document/document_file.h"
#include "geometry/object_list.h"
#include "geometry/object_shape.h"

namespace zelmora {

// The most the history may hold; the oldest entries go first.
inline constexpr std::size_t kHistoryBudget = std::size_t{64} << 20;

// An object's own values, without the scratch a drag or macro recording
// leaves behind (saved positions, marks) and without the drawn ends of a
// line, which every repaint recomputes: recording those would make a bare
// click or a repaint look like a change.
struct ObjectFields {
  int kind = 0;
  std::string name;
  Color color = kBlack;
  int penStyle = 0;
  int width = 1;
  bool nameVisible = false, mustDraw = false, defined = true, hidden = false;
  double labelOffsetX = 0, labelOffsetY = 0;
  int method = 0;
  ShapeNumbers shape{};
  ObjectLook look;
  bool bounded1 = false, bounded2 = false, endsOff = false;
};

// The three lists of an object; `Link` is a pointer in the live drawing and
// an index in a stored entry (stored objects are rebuilt, so their addresses
// change).
template <class Link>
struct ObjectLinks {
  std::vector<Link> parents, children, incident;
  bool operator==(const ObjectLinks&) const = default;
};

struct NameCounters {
  int point = 0, line = 0, circle = 0, measure = 0, text = 0;
  bool operator==(const NameCounters&) const = default;
};

// The changes of the drawing, one entry per user action. The history keeps
// a copy of the drawing as it stood after the last entry; Commit compares
// the drawing with it and stores only what differs (a drag: the moved
// objects' values; a deletion: the deleted objects and the lists of their
// parents), so the entries are small and undo touches only what changed.
class History {
 public:
  explicit History(std::size_t budget = kHistoryBudget) : budget_(budget) {}

  // Forgets every entry; the drawing as it is becomes the saved state.
  void Reset(const ObjectList& objects, const DocumentInfo* info);

  // Records what changed since the last entry as one entry called `name`
  // (a creation or deletion is named after its object when `name` is
  // empty). The last `transients` objects are not part of the drawing yet
  // (an object being placed, the free points of an unfinished
  // construction). False when nothing changed.
  bool Commit(const ObjectList& objects, const DocumentInfo* info, std::size_t transients,
              std::string name);

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < entries_.size(); }
  const std::string& UndoName() const;
  const std::string& RedoName() const;
  // The drawing must be as the last Commit, Undo or Redo left it.
  void Undo(ObjectList& objects, DocumentInfo* info);
  void Redo(ObjectList& objects, DocumentInfo* info);

  // The drawing as it is now is the one in the file.
  void MarkSaved() { savedId_ = StateId(); }
  bool AtSavedState() const { return savedId_ == StateId(); }

  std::size_t Entries() const { return entries_.size(); }
  std::size_t Bytes() const { return bytes_; }
  // The copy of the drawing that changes are found against (outside the budget).
  std::size_t CopyBytes() const;
  // The size of the newest entry, as counted against the budget.
  std::size_t NewestEntryBytes() const { return entries_.empty() ? 0 : entries_.back().bytes; }

 private:
  struct Kept {
    const TGObject* object = nullptr;
    ObjectFields fields;
    ObjectLinks<const TGObject*> links;
  };
  struct Stored {
    std::size_t index = 0;
    ObjectFields fields;
    ObjectLinks<int> links;
  };
  struct Changed {
    std::size_t before = 0, after = 0;  // index before and after the action
    bool fieldsChanged = false, linksChanged = false;
    ObjectFields fieldsBefore, fieldsAfter;
    ObjectLinks<int> linksBefore, linksAfter;
  };
  struct Entry {
    std::uint64_t id = 0;
    std::string name;
    NameCounters countersBefore, countersAfter;
    std::optional<DocumentInfo> infoBefore, infoAfter;
    std::vector<Stored> removed;  // indices before the action, ascending
    std::vector<Stored> added;    // indices after the action, ascending
    std::vector<Changed> changed;
    std::size_t bytes = 0;
  };

  static constexpr std::uint64_t kNoState = ~std::uint64_t{0};
  std::uint64_t StateId() const { return position_ == 0 ? baseId_ : entries_[position_ - 1].id; }
  void Apply(ObjectList& objects, DocumentInfo* info, const Entry& entry, bool backwards);
  void Recapture(const ObjectList& objects, std::size_t count);
  void FoldLinks(Entry& entry, std::vector<Changed>& changes);
  void Trim();

  std::size_t budget_;
  std::deque<Entry> entries_;
  std::size_t position_ = 0;  // entries before it are applied
  std::vector<Kept> baseline_;
  NameCounters counters_;
  DocumentInfo info_;
  std::uint64_t nextId_ = 1;
  std::uint64_t baseId_ = 0;   // the state before the oldest entry
  std::uint64_t savedId_ = 0;  // the state in the file; kNoState when out of reach
  std::size_t bytes_ = 0;
};

}  // namespace zelmora
