#pragma once

#include <string>

namespace zelmora::tools {

// The stored form of a text table written as UTF-8 in data/tables: every
// line in Windows-1251, put through the line encoding, ended by CR LF.
// Throws std::runtime_error naming the line that Windows-1251 cannot hold.
std::string EncodeTextTable(const std::string& source_path);

// A document written out in readable form (data/examples): the same, except
// that the magic first line stays as it is.
std::string EncodeDocument(const std::string& source_path);

}  // namespace zelmora::tools
