#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "document/file_replace.h"
#include "document/load_recompute.h"
#include "geometry/object_list.h"

// The document file (.zms): a plain magic line, then encoded Windows-1251
// lines — the author, the comment, one record per object in list order.
namespace zelmora {

inline constexpr std::string_view kDocumentMagicWord = "ZelmoraSaveFile";
inline constexpr std::string_view kDocumentVersion = "2.0";
// Coordinates are stored as 64-bit integers: 2^63 as a double bounds them.
inline constexpr double kLargestStoredValue = 9223372036854775807.0;

// The document's own properties, edited in the file properties dialog.
struct DocumentInfo {
  std::string author;
  std::vector<std::string> comment;

  bool operator==(const DocumentInfo&) const = default;
};

enum class LoadStatus { kLoaded, kNotFound, kUnreadable };

struct LoadResult {
  LoadStatus status = LoadStatus::kUnreadable;
  std::string detail;   // one line saying what is wrong, empty on success
  std::string version;  // from the magic line; empty for a file without one

  bool ok() const { return status == LoadStatus::kLoaded; }
  // The error message the window shows: 5 for a missing file, 1 for an
  // unreadable one, 0 after a successful load.
  int ErrorNumber() const;
};

// Writes through ReplaceFileContents, so a failed save leaves the previous
// file as it was.
SaveResult SavePlane(const std::filesystem::path& path, const ObjectList& list,
                     const DocumentInfo& info);

// The lines of a text file: CR LF, LF or a lone CR ends one; a last line
// without an end counts, a final line end opens no empty line.
std::vector<std::string_view> SplitFileLines(std::string_view bytes);

// Replaces `list` and `info` by the file's document, with every position
// recomputed from its parents and `modified` cleared. On any failure both
// stay exactly as they were.
LoadResult LoadPlane(const std::filesystem::path& path, ObjectList& list, DocumentInfo& info);

// The same two on the file's bytes.
std::string WritePlane(const ObjectList& list, const DocumentInfo& info);
// `recompute` brings the linked objects to their positions; the default is
// what opening does.
LoadResult ReadPlane(std::string_view bytes, ObjectList& list, DocumentInfo& info,
                     void (*recompute)(ObjectList&) = RecomputeLoaded);

// Whether the object's Parents are of the number and kinds its Method builds
// from (none for a method its kind does not know). Recompute reads parents by
// position, so a reader of stored objects must refuse anything else.
bool ParentsFitMethod(const TGObject& object);

}  // namespace zelmora
