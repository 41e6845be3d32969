#pragma once

#include <string>
#include <string_view>

#include "document/document_file.h"
#include "geometry/object_list.h"

namespace zelmora {

// The document as one JSON object: author, comment and every object with its
// stored fields, links and geometry. Doubles are printed in their shortest
// form that reads back to the same value.
std::string DumpJson(const ObjectList& list, const DocumentInfo& info);

// `text` as a JSON string, quotes included.
std::string JsonString(std::string_view text);

}  // namespace zelmora
