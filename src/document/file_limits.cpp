#include "document/file_limits.h"

#include <cerrno>
#include <fstream>
#include <system_error>

namespace zelmora {
namespace fs = std::filesystem;

std::string ReadRefusal(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return path.string() + ": no such file";
  if (error) return path.string() + ": " + error.message();
  if (fs::is_directory(status)) return path.string() + " is a folder";
  if (!fs::is_regular_file(status)) return path.string() + " is not a regular file";
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) return path.string() + ": " + error.message();
  if (size > kMaxReadBytes) {
    return path.string() + " is larger than " + std::to_string(kMaxReadBytes >> 20) +
           " MiB, far more than any file of the program";
  }
  return {};
}

std::optional<std::string> ReadWholeFile(const fs::path& path, std::string* problem) {
  const auto fail = [&](std::string why) -> std::optional<std::string> {
    if (problem != nullptr) *problem = std::move(why);
    return std::nullopt;
  };
  if (std::string refusal = ReadRefusal(path); !refusal.empty()) return fail(std::move(refusal));
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) {
    return fail("cannot open " + path.string() + ": " +
                std::error_code(errno, std::generic_category()).message());
  }
  std::string bytes;
  std::error_code error;
  bytes.reserve(static_cast<std::size_t>(fs::file_size(path, error)));
  char block[1 << 16];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    bytes.append(block, static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxReadBytes) return fail(path.string() + " grew past the size limit");
  }
  if (in.bad()) return fail(path.string() + " cannot be read");
  return bytes;
}

}  // namespace zelmora
