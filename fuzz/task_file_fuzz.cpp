// Any bytes as a task file (or as clear text, see PlainTaskToFile): the reader
// either refuses them with a reason and leaves the task alone, or accepts
// them, and then what the writer makes of the task reads back as the same
// bytes; a check of the task's givens against itself must not fail either.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/document_file.h"
#include "document/line_code.h"
#include "lessons/task_checker.h"
#include "lessons/task_file.h"

namespace {

using namespace zelmora;

// Inputs starting with 'P' are task files in clear text: every line but the
// two magic lines is encoded here, so the fuzzer mutates fields, not codes.
std::string PlainTaskToFile(std::string_view input) {
  if (input.empty() || input.front() != 'P') return std::string(input);
  input.remove_prefix(1);
  std::string file;
  while (!input.empty()) {
    const std::size_t end = input.find('\n');
    const std::string_view line = input.substr(0, end);
    file += line.starts_with("Zelmora") ? std::string(line) : EncodeLine(line);
    file += "\r\n";
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
  }
  return file;
}

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "task_file_fuzz: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = PlainTaskToFile({reinterpret_cast<const char*>(data), size});
  Task task;
  task.title = "before";
  const TaskLoadResult loaded = ReadTask(bytes, task);
  if (!loaded.ok) {
    Require(task.title == "before" && task.construction.empty(), "a refused file changed the task");
    Require(!loaded.detail.empty(), "a refused file without a reason");
    return 0;
  }
  const std::string written = WriteTask(task);
  Task again;
  Require(ReadTask(written, again).ok, "a written task does not read back");
  Require(WriteTask(again) == written, "the task changed on the way");
  // The givens alone are an attempt that builds nothing.
  ObjectList givens;
  DocumentInfo info;
  Require(ReadPlane(WritePlane(task.construction, {}), givens, info).ok(), "no copy of the task");
  for (std::size_t i = givens.size(); i-- > task.givenCount;) {
    if (i < givens.size()) givens.DeleteWithDescendants(i);
  }
  CheckOptions quick;
  quick.instances = 2;
  CheckAttempt(task, givens, quick);
  return 0;
}
