#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "geometry/object_list.h"

// Applying a macro file: the user gives one object per argument record, of
// the kind the record demands, and the file's construction records are
// built on them.
namespace zelmora {

struct MacroApplication {
  std::filesystem::path path;
  std::vector<int> kinds;  // demanded kind of each argument, in file order
  std::vector<std::string> hints;
  std::vector<int> given;   // object numbers given so far
  int auxiliaryPoints = 0;  // free points made by pressing beside objects

  bool Complete() const { return given.size() >= kinds.size(); }
  // Kind demanded next; 0 once every argument is given.
  int NextKind() const { return Complete() ? 0 : kinds[given.size()]; }
  // Prompt for the next argument: its hint, or the standard prompt of its
  // kind when the recording left the hint empty; empty once every argument
  // is given.
  std::string NextHint() const;
};

// The standard prompt for picking an object of `kind` ("Выберите точку");
// empty for the value kinds, which are not picked.
std::string DefaultArgumentHint(int kind);

struct MacroOutcome {
  int error = 0;       // the error message to show: 0 none, 5, 7 or 8
  std::string detail;  // what is wrong with the file, for the command line
  std::size_t created = 0;
};

// Reads what the macro at `path` asks for into `application` (emptied
// first). The whole file is checked here, so a damaged macro is refused
// before the user picks anything: 7 when the file is missing, 8 when it
// cannot be used.
MacroOutcome BeginMacroApplication(const std::filesystem::path& path,
                                   MacroApplication& application);

// Builds the macro on `given`. 5 when the file has gone meanwhile, 8 when it
// cannot be used; the drawing is then exactly as before.
MacroOutcome ApplyMacro(const std::filesystem::path& path, ObjectList& list,
                        const std::vector<int>& given);

}  // namespace zelmora
