#pragma once

#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

namespace zelmora {

// "I[,I...]": whole numbers from 0 up, at least one.
inline std::optional<std::vector<int>> ParseNumbers(std::string_view text) {
  std::vector<int> numbers;
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view piece = text.substr(0, comma);
    int value = -1;
    const auto [ptr, error] = std::from_chars(piece.data(), piece.data() + piece.size(), value);
    if (piece.empty() || error != std::errc() || ptr != piece.data() + piece.size() || value < 0) {
      return std::nullopt;
    }
    numbers.push_back(value);
    if (comma == std::string_view::npos) return numbers;
    text.remove_prefix(comma + 1);
  }
}

}  // namespace zelmora
