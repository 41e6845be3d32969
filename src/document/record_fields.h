#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

#include "document/cp1251.h"
#include "document/line_code.h"
#include "geometry/utf8.h"

// The fields of one record of a document or macro file: text separated by
// ';' (or ':' inside a group), numbers in decimal.
namespace zelmora {

inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::size_t kMaxNameBytes = 12;  // one byte per character in the file
// Widths this large come only from damaged files; the cap keeps the hit
// tolerance and the painter's pen arithmetic far from overflow.
inline constexpr std::int32_t kMaxWidth = 1000;
inline constexpr int kMaxPenStyle = 4;

// Windows-1251 without control codes: line breaks, and the codes that the
// line encoding would turn into line breaks, would split the line on reading.
inline std::string ToFileText(std::string_view utf8) {
  std::string kept;
  for (char c : utf8) {
    if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') kept += c;
  }
  return Utf8ToCp1251Lossy(kept);
}

inline void AppendLine(std::string& out, std::string_view fileText) {
  out += EncodeLine(fileText);
  out += kLineEnd;
}

// Puts a record's fields together: flags as 0 or 1, numbers in decimal, each
// ended by ';' or, inside a group, ':'.
class RecordWriter {
 public:
  template <class T>
  void Field(T value, char end = ';') {
    if constexpr (std::is_same_v<T, bool>) {
      record_ += value ? '1' : '0';
    } else {
      record_ += std::to_string(value);
    }
    record_ += end;
  }
  // File text as it stands, then the end of the field.
  void Text(std::string_view fileText, char end = ';') {
    record_ += fileText;
    record_ += end;
  }
  void End(char end = ';') { record_ += end; }
  const std::string& text() const { return record_; }

 private:
  std::string record_;
};

// A whole decimal number, an optional '+' or '-' first; nothing for any other text.
template <class Int>
std::optional<Int> ParseInteger(std::string_view text) {
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  Int value{};
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// A piece of a damaged line for an error text: UTF-8, short, in quotes.
inline std::string Quoted(std::string_view fileText) {
  // Built with += because GCC 12 warns falsely (-Wrestrict) on "\"" + s + "\"".
  std::string quoted = "\"";
  quoted += Utf8Prefix(Cp1251ToUtf8(fileText), 24);
  quoted += '"';
  return quoted;
}

// Takes a record's fields off its front. After the first fault every further
// field reads as empty and the fault stays the one reported.
class RecordParser {
 public:
  explicit RecordParser(std::string_view text) : rest_(text) {}

  std::string_view Field(std::string_view what, char end = ';') {
    if (failed()) return {};
    const std::size_t pos = rest_.find(end);
    if (pos == std::string_view::npos) {
      Fail("the record ends before its " + std::string(what));
      return {};
    }
    const std::string_view field = rest_.substr(0, pos);
    rest_.remove_prefix(pos + 1);
    return field;
  }

  template <class Int>
  Int Number(std::string_view what, char end = ';') {
    const std::string_view text = Field(what, end);
    if (failed()) return 0;
    const std::optional<Int> value = ParseInteger<Int>(text);
    if (!value) Fail("the " + std::string(what) + " " + Quoted(text) + " is not a number");
    return value.value_or(0);
  }

  bool Flag(std::string_view what, char end = ';') { return Field(what, end) == "1"; }

  // A field of object numbers, each followed by ':'.
  std::vector<int> Numbers(std::string_view what) {
    std::string_view group = Field(what);
    std::vector<int> numbers;
    while (!failed() && !group.empty()) {
      const std::size_t pos = group.find(':');
      const auto number = ParseInteger<int>(group.substr(0, pos));
      if (pos == std::string_view::npos || !number) {
        Fail("the " + std::string(what) + " are not numbers each ended by ':'");
        break;
      }
      numbers.push_back(*number);
      group.remove_prefix(pos + 1);
    }
    return numbers;
  }

  void Fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
  }
  bool failed() const { return !error_.empty(); }
  bool AtEnd() const { return rest_.empty(); }
  const std::string& error() const { return error_; }

 private:
  std::string_view rest_;
  std::string error_;
};

}  // namespace zelmora
