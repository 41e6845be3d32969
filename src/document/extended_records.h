#pragma once

#include <string>
#include <string_view>

#include "document/record_fields.h"
#include "geometry/object_list.h"

// Measurements and texts in a document record. Files that hold them carry
// version 2.1; a drawing without them is written as version 2.0, unchanged.
namespace zelmora {

inline constexpr std::string_view kExtendedVersion = "2.1";

bool IsExtendedKind(int kind);
bool UsesExtendedKinds(const ObjectList& list);

// The geometry group and, for a text, the field of its lines:
//   measurement  decimals:centimetres:scale:label offset x:label offset y:;
//   text         x:y:font size:;lines;
// The scale is written in full; a text's line breaks, backslashes and
// semicolons are written \n, \\ and \s.
void WriteExtendedGeometry(RecordWriter& record, const TGObject& object);
void ReadExtendedGeometry(RecordParser& in, TGObject& object);

std::string EscapeTextField(std::string_view utf8);
std::string UnescapeTextField(std::string_view text);

}  // namespace zelmora
