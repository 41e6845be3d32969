#include "text_table.h"

#include "document/cp1251.h"
#include "document/line_code.h"
#include "source_lines.h"

namespace zelmora::tools {

std::string EncodeTextTable(const std::string& source_path) {
  SourceLines lines(source_path);
  std::string out;
  while (auto line = lines.Next()) {
    const auto bytes = Utf8ToCp1251(*line);
    if (!bytes) lines.Fail("the line holds a character that Windows-1251 cannot store");
    out += EncodeLine(*bytes);
    out += "\r\n";
  }
  return out;
}

}  // namespace zelmora::tools
