#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// What every reader of the program's files checks before it reads: the
// drawings, macros, the macro list and the text tables are read whole, so a
// device or a link to one (/dev/zero never ends) or a huge file of something
// else would take the machine's memory, and the window would never appear.
namespace zelmora {

// 64 MiB. A drawing stores some 45 bytes an object, so the largest drawings
// the program still handles well, about 200 000 objects, take under 10 MB;
// macros, tables and the macro list are far smaller. A file seven times the
// largest sensible drawing is no file of ours, and it still fits easily in
// the memory of a school's oldest machine.
inline constexpr std::uintmax_t kMaxReadBytes = std::uintmax_t{64} << 20;

// Empty when `path` (links followed) is a regular file of at most
// kMaxReadBytes; otherwise one English line saying why it is not read.
std::string ReadRefusal(const std::filesystem::path& path);

// The whole file, or nullopt with the reason in `problem` (when given).
// Never reads more than kMaxReadBytes, even from a file that grows.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path,
                                         std::string* problem = nullptr);

}  // namespace zelmora
