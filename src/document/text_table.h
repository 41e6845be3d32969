#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <string>

// Lookups in the data tables that lie next to the program. A table is a text
// file of encoded Windows-1251 lines; an entry starts with a header line
// "<key>-<text>" and the lines after it are the entry's lines 1, 2, ...
// Every lookup reads the file anew, so a table edited while the program runs
// is seen at once.
//
// Every lookup returns nullopt when the table itself cannot be read, so the
// caller can tell a broken installation from a key the table lacks.
namespace zelmora {

inline constexpr const char* kStepTableFile = "Killer King.zmr";
inline constexpr const char* kPromptTableFile = "Killer Queen.zmr";
inline constexpr const char* kErrorTableFile = "Lollypop.zmr";

// What a text lookup gives for a key the table does not hold.
inline constexpr const char* kMissingEntryText = "Error";

// Numbers of the entries of the error-message table.
enum ErrorMessage : int {
  kErrorDocumentUnreadable = 1,
  kErrorPromptTableUnreadable = 2,
  kErrorFileNotFound = 5,
  kErrorHelpPageMissing = 6,
  kErrorMacroFileMissing = 7,
  kErrorMacroFileUnreadable = 8,
  kErrorMacroNotDependent = 9,
};

// line 0: the header text of entry `key`; line n >= 1: the n-th line after the
// header, read on into the following entries when the entry is shorter; ""
// past the end of the file. kMissingEntryText when there is no entry `key`
// (or `line` is negative). Text is UTF-8.
std::optional<std::string> TableText(std::istream& table, int key, int line);
std::optional<std::string> TableText(const std::filesystem::path& table, int key, int line);

// step 0: the number of steps of `method`; step i >= 1: the kind of object
// (1 point, 2 line, 3 circle, ...) to pick at step i. 0 when the table has no
// entry for `method` or the step does not exist.
std::optional<int> StepKind(std::istream& table, int method, int step);
std::optional<int> StepKind(const std::filesystem::path& table, int method, int step);

// TableText on the prompt table in `programFolder`: line 0 is the method's
// title, line k the prompt before step k. nullopt means the table is missing
// or unreadable: the caller shows kErrorPromptTableUnreadable and an empty text.
std::optional<std::string> MethodText(const std::filesystem::path& programFolder, int method,
                                      int line);

}  // namespace zelmora
