#include "interaction/macro_application.h"

#include <system_error>

#include "document/macro_file.h"
#include "document/text_table.h"

namespace zelmora {

std::string DefaultArgumentHint(int kind) {
  switch (kind) {
    case kPointKind:
      return "Выберите точку";
    case kLineKind:
      return "Выберите прямую";
    case kCircleKind:
      return "Выберите окружность";
    default:
      return {};
  }
}

std::string MacroApplication::NextHint() const {
  if (Complete()) return {};
  const std::string& hint = hints[given.size()];
  return hint.empty() ? DefaultArgumentHint(kinds[given.size()]) : hint;
}

MacroOutcome BeginMacroApplication(const std::filesystem::path& path,
                                   MacroApplication& application) {
  application = MacroApplication{};
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return {kErrorMacroFileMissing, "no such file", 0};
  std::string problem;
  const auto bytes = ReadMacroFileBytes(path, &problem);
  if (!bytes) return {kErrorMacroFileUnreadable, problem, 0};
  const MacroRead read = ReadMacroHeader(*bytes);
  if (!read.header) return {kErrorMacroFileUnreadable, read.detail, 0};
  application.path = path;
  for (const MacroArgument& argument : read.header->arguments) {
    application.kinds.push_back(argument.kind);
    application.hints.push_back(argument.hint);
  }
  return {};
}

MacroOutcome ApplyMacro(const std::filesystem::path& path, ObjectList& list,
                        const std::vector<int>& given) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return {kErrorFileNotFound, "no such file", 0};
  std::string problem;
  const auto bytes = ReadMacroFileBytes(path, &problem);
  if (!bytes) return {kErrorMacroFileUnreadable, problem, 0};
  std::vector<TGObject*> arguments;
  for (int index : given) arguments.push_back(list.at(index));
  const MacroApplied applied = ApplyMacroBytes(*bytes, list, arguments);
  if (!applied.ok) return {kErrorMacroFileUnreadable, applied.detail, 0};
  return {0, {}, applied.created};
}

}  // namespace zelmora
