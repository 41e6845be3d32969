#pragma once

#include <string>
#include <vector>

#include "geometry/construction_protocol.h"

namespace zelmora {

// The protocol as a page to hand out: a heading, the table of the steps and,
// when `pictureSource` is not empty, the picture it names (a data: address
// of the drawing, or a name the printing document resolves) below it.
// UTF-8 text.
std::string ProtocolHtml(const std::vector<ProtocolRow>& rows, const std::string& title,
                         const std::string& pictureSource);

// The column captions of the table, shared with the window's table.
inline constexpr const char* kProtocolColumns[] = {
    "№", "Вид", "Имя", "Как построен", "Из каких объектов", "Определён"};
inline constexpr const char* kProtocolDefined = "да";
inline constexpr const char* kProtocolUndefined = "нет";

}  // namespace zelmora
