#include "document/macro_list.h"

#include <fstream>
#include <string_view>
#include <system_error>

#include "document/cp1251.h"
#include "document/file_limits.h"
#include "document/file_replace.h"
#include "document/line_code.h"

namespace zelmora {
namespace {

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// The stored line, or nullopt when it would not read back as the same entry.
// The key shifts bytes, so a control character can become a line break only
// once encoded: the encoded line is what must stay on one line.
std::optional<std::string> EncodeEntry(const MacroEntry& entry) {
  if (entry.caption.find(';') != std::string::npos) return std::nullopt;
  auto bytes = Utf8ToCp1251(entry.caption + ";" + entry.path);
  if (!bytes) return std::nullopt;
  std::string line = EncodeLine(*bytes);
  if (HasLineBreak(line)) return std::nullopt;
  return line;
}

MacroEntry SplitLine(std::string_view line) {
  const auto separator = line.find(';');
  if (separator == std::string_view::npos) return {"", Cp1251ToUtf8(line)};
  return {Cp1251ToUtf8(line.substr(0, separator)), Cp1251ToUtf8(line.substr(separator + 1))};
}

}  // namespace

bool IsStorableMacroEntry(const MacroEntry& entry) {
  return EncodeEntry(entry).has_value();
}

MacroList ReadMacroList(std::istream& in) {
  MacroList list;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    list.push_back(SplitLine(DecodeLine(line)));
  }
  return list;
}

std::optional<MacroList> LoadMcrFile(const std::filesystem::path& file) {
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (status.type() == std::filesystem::file_type::not_found) return MacroList{};
  if (error || !ReadRefusal(file).empty()) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) return std::nullopt;
  MacroList list = ReadMacroList(in);
  if (in.bad()) return std::nullopt;
  return list;
}

std::string WriteMacroList(const MacroList& list) {
  std::string bytes;
  for (const MacroEntry& entry : list) {
    const auto line = EncodeEntry(entry);
    if (!line) continue;
    bytes += *line;
    bytes += "\r\n";
  }
  return bytes;
}

bool SaveMcrFile(const std::filesystem::path& file, const MacroList& list) {
  return ReplaceFileContents(file, WriteMacroList(list)).ok;
}

}  // namespace zelmora
