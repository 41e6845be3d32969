#include "lessons/macro_tools.h"

#include "document/macro_file.h"

namespace zelmora {

// The macro is applied to stand-ins of its arguments: what it builds then
// shows the methods it uses, however its file orders them.
bool TaskAllowsMacro(const Task& task, std::string_view macroBytes) {
  const MacroRead read = ReadMacroHeader(macroBytes);
  if (!read.header) return false;
  ObjectList scratch;
  std::vector<TGObject*> arguments;
  for (const MacroArgument& argument : read.header->arguments) {
    TGObject* standIn = scratch.AddOfKind(argument.kind);
    if (standIn == nullptr) return false;
    arguments.push_back(standIn);
  }
  if (!ApplyMacroBytes(macroBytes, scratch, arguments).ok) return false;
  for (std::size_t i = arguments.size(); i < scratch.size(); ++i) {
    const MethodInfo* method = MethodOf(scratch[i]);
    if (method != nullptr && !task.Allows(method->method)) return false;
  }
  return true;
}

}  // namespace zelmora
