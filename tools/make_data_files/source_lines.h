#pragma once

#include <optional>
#include <sstream>
#include <string>

#include "picture.h"

namespace zelmora::tools {

// The lines of a UTF-8 source file in data/, with the position kept for error
// messages. A byte-order mark and Windows line ends are dropped, so sources
// edited on any system read the same.
class SourceLines {
 public:
  explicit SourceLines(const std::string& path);  // throws when unreadable

  std::optional<std::string> Next();
  [[noreturn]] void Fail(const std::string& message) const;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::istringstream text_;
  int number_ = 0;
};

// Blank lines and lines starting with "#" carry no data.
bool SkipsAsComment(const std::string& line);

// The blank-separated words of one line, taken from the left.
class Words {
 public:
  explicit Words(const std::string& line) : stream_(line) {}

  std::string Text(const SourceLines& lines);
  int Number(const SourceLines& lines, int min, int max);
  Rgb Color(const SourceLines& lines);       // RRGGBB in hexadecimal
  std::string Rest();                        // everything left, without the leading blanks
  void ExpectEnd(const SourceLines& lines);  // a word starting with "#" begins a comment

 private:
  std::istringstream stream_;
};

// The whole file, or a std::runtime_error naming it.
std::string ReadWholeFile(const std::string& path);

}  // namespace zelmora::tools
