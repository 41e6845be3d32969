#include "document/text_table.h"

#include <algorithm>
#include <climits>
#include <fstream>
#include <string_view>
#include <system_error>

#include "document/cp1251.h"
#include "document/file_limits.h"
#include "document/line_code.h"

namespace zelmora {
namespace {

// The next decoded line, still in Windows-1251. Tables are written with
// CR LF but may have been edited into LF; the last line may lack an end.
bool ReadDecodedLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  line = DecodeLine(line);
  return true;
}

enum class Search { kFound, kMissing, kUnreadable };

// Leaves the stream just after the header of entry `key` and puts the header
// text (without "<key>-") into `header`. The "-" belongs to the prefix, so key
// 1 never matches the header of 10 or 12.
Search FindEntry(std::istream& in, int key, std::string& header) {
  const std::string prefix = std::to_string(key) + "-";
  std::string line;
  while (ReadDecodedLine(in, line)) {
    if (line.starts_with(prefix)) {
      header = line.substr(prefix.size());
      return Search::kFound;
    }
  }
  return in.bad() ? Search::kUnreadable : Search::kMissing;
}

// A directory opens as a stream on some systems and then reads as empty.
std::optional<std::ifstream> OpenTable(const std::filesystem::path& table) {
  if (!ReadRefusal(table).empty()) return std::nullopt;
  std::ifstream in(table, std::ios::binary);
  if (!in.is_open()) return std::nullopt;
  return in;
}

}  // namespace

std::optional<std::string> TableText(std::istream& table, int key, int line) {
  std::string header;
  switch (FindEntry(table, key, header)) {
    case Search::kUnreadable:
      return std::nullopt;
    case Search::kMissing:
      return kMissingEntryText;
    case Search::kFound:
      break;
  }
  if (line < 0) return kMissingEntryText;
  if (line == 0) return Cp1251ToUtf8(header);
  std::string text;
  for (int n = 0; n < line; ++n) {
    if (!ReadDecodedLine(table, text)) {
      if (table.bad()) return std::nullopt;
      return std::string();  // the file ended before line `line`
    }
  }
  return Cp1251ToUtf8(text);
}

std::optional<std::string> TableText(const std::filesystem::path& table, int key, int line) {
  auto in = OpenTable(table);
  if (!in) return std::nullopt;
  return TableText(*in, key, line);
}

std::optional<int> StepKind(std::istream& table, int method, int step) {
  std::string kinds;
  switch (FindEntry(table, method, kinds)) {
    case Search::kUnreadable:
      return std::nullopt;
    case Search::kMissing:
      return 0;
    case Search::kFound:
      break;
  }
  if (step == 0) return static_cast<int>(std::min<std::size_t>(kinds.size(), INT_MAX));
  if (step < 0 || static_cast<std::size_t>(step) > kinds.size()) return 0;
  const char kind = kinds[static_cast<std::size_t>(step) - 1];
  // A damaged table must not turn into a kind that no object has.
  if (kind < '0' || kind > '9') return 0;
  return kind - '0';
}

std::optional<int> StepKind(const std::filesystem::path& table, int method, int step) {
  auto in = OpenTable(table);
  if (!in) return std::nullopt;
  return StepKind(*in, method, step);
}

std::optional<std::string> MethodText(const std::filesystem::path& programFolder, int method,
                                      int line) {
  return TableText(programFolder / kPromptTableFile, method, line);
}

}  // namespace zelmora
