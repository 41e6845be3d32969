#pragma once

#include <string>
#include <vector>

namespace zelmora {

// "record-macro DOC.zms OUT.zmm --args I,... --results J,... [--hint TEXT]...
// [--name NAME] [--rename-on-load] [--drop-superfluous]": records a macro from
// a stored drawing as the selection panel would. Returns the exit status.
int RecordMacroCommand(const std::vector<std::string>& args, const std::string& programFolder);

// "apply-macro DOC.zms MACRO.zmm I,... [--save OUT.zms]": applies a macro to
// objects of a stored drawing and prints or saves the result.
int ApplyMacroCommand(const std::vector<std::string>& args, const std::string& programFolder);

}  // namespace zelmora
