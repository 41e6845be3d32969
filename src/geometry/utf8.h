#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zelmora {

// Names are limited in characters, not bytes: "Треугольник1" is 12 characters
// but 23 bytes. Invalid sequences count one byte per character.
std::size_t Utf8Length(std::string_view text);

// The first `maxChars` characters of `text`, never splitting a character.
std::string Utf8Prefix(std::string_view text, std::size_t maxChars);

// `text` without the ASCII control characters (0x00..0x1F, 0x7F). A name
// holds none: a painter lays a tab or a line break out in ways no label can
// show, and a line break would split the name's record in a file.
std::string WithoutControlCharacters(std::string_view text);

inline constexpr std::size_t kMaxNameLength = 12;

}  // namespace zelmora
