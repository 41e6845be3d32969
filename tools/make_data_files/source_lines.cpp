#include "source_lines.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace zelmora::tools {

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error(path + ": cannot be read");
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

SourceLines::SourceLines(const std::string& path) : path_(path) {
  std::string text = ReadWholeFile(path);
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  text_.str(text);
}

std::optional<std::string> SourceLines::Next() {
  std::string line;
  if (!std::getline(text_, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  ++number_;
  return line;
}

void SourceLines::Fail(const std::string& message) const {
  throw std::runtime_error(path_ + ":" + std::to_string(number_) + ": " + message);
}

bool SkipsAsComment(const std::string& line) {
  const auto first = line.find_first_not_of(" \t");
  return first == std::string::npos || line[first] == '#';
}

std::string Words::Text(const SourceLines& lines) {
  std::string word;
  if (!(stream_ >> word)) lines.Fail("a value is missing");
  return word;
}

int Words::Number(const SourceLines& lines, int min, int max) {
  const std::string word = Text(lines);
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (error != std::errc() || end != word.data() + word.size()) {
    lines.Fail("\"" + word + "\" is not a whole number");
  }
  if (value < min || value > max) {
    lines.Fail(word + " is outside " + std::to_string(min) + ".." + std::to_string(max));
  }
  return value;
}

Rgb Words::Color(const SourceLines& lines) {
  const std::string word = Text(lines);
  Rgb value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
  if (word.size() != 6 || error != std::errc() || end != word.data() + word.size()) {
    lines.Fail("\"" + word + "\" is not a colour RRGGBB");
  }
  return value;
}

std::string Words::Rest() {
  std::string rest;
  std::getline(stream_ >> std::ws, rest);
  return rest;
}

void Words::ExpectEnd(const SourceLines& lines) {
  std::string extra;
  if (stream_ >> extra && extra[0] != '#') lines.Fail("unexpected \"" + extra + "\"");
}

}  // namespace zelmora::tools
