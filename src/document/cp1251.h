#pragma once

#include <optional>
#include <string>
#include <string_view>

// Files are single-byte Windows-1251; memory is UTF-8. Conversion happens at
// the file boundary only.
namespace zelmora {

// Every byte has a meaning except 0x98, which reads as U+FFFD.
std::string Cp1251ToUtf8(std::string_view bytes);

// nullopt when the text holds a character Windows-1251 cannot store, or is
// not valid UTF-8: such text is refused where it is typed.
std::optional<std::string> Utf8ToCp1251(std::string_view text);
bool FitsCp1251(std::string_view text);

// For writers that must not fail: every character that does not fit becomes "?".
std::string Utf8ToCp1251Lossy(std::string_view text);

}  // namespace zelmora
