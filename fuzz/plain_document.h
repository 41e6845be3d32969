#pragma once

#include <string>
#include <string_view>

#include "document/line_code.h"

// Fuzz inputs that start with kPlainDocumentMark are documents written in
// clear text: the lines after the first are encoded here, so the fuzzer can
// mutate records field by field instead of through the line encoding.
namespace zelmora {

inline constexpr char kPlainDocumentMark = 'P';

inline std::string FuzzInputToFile(std::string_view input) {
  if (input.empty() || input.front() != kPlainDocumentMark) return std::string(input);
  input.remove_prefix(1);
  std::string file;
  bool first = true;
  while (!input.empty()) {
    const std::size_t end = input.find('\n');
    const std::string_view line = input.substr(0, end);
    file += first ? std::string(line) : EncodeLine(line);
    file += "\r\n";
    first = false;
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  }
  return file;
}

}  // namespace zelmora
