#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/document_file.h"
#include "document/macro_list.h"
#include "geometry/object_list.h"

// The macro file (.zmm): a plain magic line, then encoded Windows-1251 lines —
// the macro name, one argument record per argument, "End", and one
// construction record per object the macro builds. Records refer to each
// other by macro number: arguments 0 .. A-1, then the construction records.
namespace zelmora {

inline constexpr std::string_view kMacroMagic = "ZelmoraMacros2.0";
inline constexpr std::string_view kMacroArgumentsEnd = "End";

// Typed text that a macro file or the macro list could not hold back: ";"
// ends a field and a line break ends the record. Each becomes ",".
std::string StorableMacroText(std::string_view typed);

// What a recording hands to the writer.
struct MacroContent {
  std::string name;
  std::vector<int> arguments;      // object numbers in the order chosen; may repeat
  std::vector<std::string> hints;  // the prompt of each argument
  bool renameOnLoad = false;       // store no names: applied objects get fresh ones
};

// The file's bytes. The construction records are the objects whose Mark is 2
// (result) or 3 (intermediate), in list order; an object's hidden field is
// the negation of its MacroMark.
std::string WriteMacro(const ObjectList& list, const MacroContent& content);

// Writes through a temporary file that then replaces `path`.
SaveResult SaveMacroFile(const std::filesystem::path& path, const ObjectList& list,
                         const MacroContent& content);

struct MacroArgument {
  int kind = 0;  // the kind the picked object must have, 1..5
  std::string hint;
};

// A macro file that passed every check application needs.
struct MacroHeader {
  std::string name;
  std::vector<MacroArgument> arguments;
};

struct MacroRead {
  std::optional<MacroHeader> header;  // nullopt when the file is unusable
  std::string detail;                 // what is wrong, for a log or the command line
};

// Checks the whole file as ApplyMacroBytes would, and returns the name and
// the arguments it asks for.
MacroRead ReadMacroHeader(std::string_view bytes);

struct MacroApplied {
  bool ok = false;
  std::string detail;       // what is wrong with the file, empty on success
  std::size_t created = 0;  // objects appended to the list
};

// Builds the macro's construction records on `arguments` (one object per
// argument record, of the demanded kinds): appends the new objects, links
// them and computes everything that depends on them. A file that fails any
// check leaves the list exactly as it was.
MacroApplied ApplyMacroBytes(std::string_view bytes, ObjectList& list,
                             const std::vector<TGObject*>& arguments);

// The list of macros at start: the list file in `programFolder`, or, while
// there is none yet (the first start), every macro file shipped in its
// "Macros" folder, by file name, captioned with its macro name. nullopt when
// the list file exists but cannot be read.
std::optional<MacroList> LoadMacroListAtStart(const std::filesystem::path& programFolder);

// The whole file; nullopt when it cannot be read or is no file to read
// (see ReadRefusal), with the reason in `problem` when given.
std::optional<std::string> ReadMacroFileBytes(const std::filesystem::path& path,
                                              std::string* problem = nullptr);

}  // namespace zelmora
