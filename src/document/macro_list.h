#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <vector>

// The user's list of macros: one Macros menu item per entry, in menu order.
// It is kept in the list file next to the program, one encoded line
// "<caption>;<path>" per entry.
namespace zelmora {

inline constexpr const char* kMacroListFile = "Halloween.zmr";

struct MacroEntry {
  std::string caption;  // the menu item's text
  std::string path;     // full path of the macro file
  bool operator==(const MacroEntry&) const = default;
};

using MacroList = std::vector<MacroEntry>;

// Whether the entry reads back unchanged after a save: both texts fit
// Windows-1251, the caption holds no ";" (on reading, the caption ends at the
// first ";") and the stored line holds no line break. Check before adding or
// renaming an entry.
bool IsStorableMacroEntry(const MacroEntry& entry);

// Splits every line at its first ";": a line without one is an entry with an
// empty caption and the whole line as path.
MacroList ReadMacroList(std::istream& in);

// One encoded line per storable entry, each ended by CR LF; entries that
// would not read back unchanged are left out rather than stored broken.
std::string WriteMacroList(const MacroList& list);

// A missing file is an empty list (nothing saved yet); nullopt when the file
// exists but cannot be read.
std::optional<MacroList> LoadMcrFile(const std::filesystem::path& file);

// Replaces the file as a whole with WriteMacroList's bytes: the old list
// survives a failed write. false when the file could not be written.
bool SaveMcrFile(const std::filesystem::path& file, const MacroList& list);

}  // namespace zelmora
