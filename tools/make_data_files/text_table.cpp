#include "text_table.h"

#include <stdexcept>

#include "document/cp1251.h"
#include "document/document_file.h"
#include "document/line_code.h"
#include "source_lines.h"

namespace zelmora::tools {

namespace {

std::string Encode(const std::string& source_path, bool plainFirstLine) {
  SourceLines lines(source_path);
  std::string out;
  bool first = true;
  while (auto line = lines.Next()) {
    const auto bytes = Utf8ToCp1251(*line);
    if (!bytes) lines.Fail("the line holds a character that Windows-1251 cannot store");
    out += first && plainFirstLine ? *bytes : EncodeLine(*bytes);
    out += "\r\n";
    first = false;
  }
  return out;
}

}  // namespace

std::string EncodeTextTable(const std::string& source_path) {
  return Encode(source_path, false);
}

std::string EncodeDocument(const std::string& source_path) {
  std::string bytes = Encode(source_path, true);
  ObjectList list;
  DocumentInfo info;
  const LoadResult result = ReadPlane(bytes, list, info);
  if (!result.ok()) throw std::runtime_error(source_path + ": " + result.detail);
  return bytes;
}

}  // namespace zelmora::tools
