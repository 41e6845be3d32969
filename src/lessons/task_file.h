#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "document/file_replace.h"
#include "lessons/task.h"

// The task file (.zmt): a plain magic line, one encoded line with the task's
// numbers, the encoded hints, then the task's construction as a document
// file whose author line is the title and whose comment is the statement.
// Everything but the magic lines goes through the line encoding, so a pupil
// who opens the file in a text editor does not read the answer.
namespace zelmora {

inline constexpr std::string_view kTaskMagicLine = "ZelmoraTaskFile 2.0";

struct TaskLoadResult {
  bool ok = false;
  bool notFound = false;
  std::string detail;  // what is wrong, in English, empty on success
};

std::string WriteTask(const Task& task);
// Fills `task` only when the whole file is sound.
TaskLoadResult ReadTask(std::string_view bytes, Task& task);

SaveResult SaveTask(const std::filesystem::path& path, const Task& task);
TaskLoadResult LoadTask(const std::filesystem::path& path, Task& task);

}  // namespace zelmora
