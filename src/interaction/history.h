#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/document_file.h"
#include "geometry/change_log.h"
#include "geometry/object_list.h"
#include "geometry/object_shape.h"

namespace zelmora {

// The most the history may hold; the oldest entries go first.
inline constexpr std::size_t kHistoryBudget = std::size_t{64} << 20;

struct NameCounters {
  int point = 0, line = 0, circle = 0, measure = 0, text = 0;
  bool operator==(const NameCounters&) const = default;
};

// The changes of the drawing, one entry per user action. An entry is what
// the drawing's change log recorded during the action: the objects added,
// the objects removed (kept alive), and for each part of an object the
// action changed (placing, style, lists) that part as it was. Undo swaps
// each kept part with the live one and moves the objects back out and in;
// redo does the same the other way, so an entry holds one state of what
// changed and nothing else.
class History {
 public:
  explicit History(std::size_t budget = kHistoryBudget) : budget_(budget) {}

  // Forgets every entry; the drawing as it is becomes the saved state, and
  // its log starts recording.
  void Reset(ObjectList& objects, const DocumentInfo* info);

  // Records what the log holds as one entry called `name` (a creation or
  // deletion is named after its object when `name` is empty). The last
  // `transients` objects are not part of the drawing yet (an object being
  // placed, the free points of an unfinished construction). False when
  // nothing changed.
  bool Commit(ObjectList& objects, const DocumentInfo* info, std::size_t transients,
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
  // The size of the newest entry, as counted against the budget.
  std::size_t NewestEntryBytes() const { return entries_.empty() ? 0 : entries_.back().bytes; }

 private:
  // An object that an entry adds or removes, at its index in the drawing
  // that has it; owned by the entry while it is out of the drawing.
  struct Placed {
    std::size_t index = 0;
    TGObject* object = nullptr;
    std::unique_ptr<TGObject> owned;
  };
  struct Entry {
    std::uint64_t id = 0;
    std::string name;
    NameCounters countersBefore, countersAfter;
    std::optional<DocumentInfo> infoBefore, infoAfter;
    std::vector<Placed> removed;  // indices before the action, ascending
    std::vector<Placed> added;    // indices after the action, ascending
    std::vector<Before<Placing>> placings;
    std::vector<Before<ObjectStyle>> styles;
    std::vector<Before<ObjectLinks>> links;
    std::size_t bytes = 0;
  };

  static constexpr std::uint64_t kNoState = ~std::uint64_t{0};
  std::uint64_t StateId() const { return position_ == 0 ? baseId_ : entries_[position_ - 1].id; }
  static Entry EntryOf(RecordedAction action);
  bool ChangesSomething(const Entry& entry) const;
  void FoldLinks(std::vector<Before<ObjectLinks>> links);
  void NameEntry(Entry& entry, std::string name) const;
  void Push(Entry entry);
  void Apply(ObjectList& objects, DocumentInfo* info, Entry& entry, bool backwards);
  void Trim();

  std::size_t budget_;
  std::deque<Entry> entries_;
  std::size_t position_ = 0;  // entries before it are applied
  NameCounters counters_;
  DocumentInfo info_;
  std::uint64_t nextId_ = 1;
  std::uint64_t baseId_ = 0;   // the state before the oldest entry
  std::uint64_t savedId_ = 0;  // the state in the file; kNoState when out of reach
  std::size_t bytes_ = 0;
};

}  // namespace zelmora
