#include "lessons/task_file.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "document/cp1251.h"
#include "document/document_file.h"
#include "document/line_code.h"
#include "document/record_fields.h"
#include "lessons/method_steps.h"

namespace zelmora {
namespace {

// Budgets and hint counts beyond this come only from damaged files.
constexpr int kLargestCount = 1000000;

void WriteNumbers(RecordWriter& record, const std::vector<int>& numbers) {
  for (int n : numbers) record.Field(n, ':');
  record.End();
}

std::string HeaderRecord(const Task& task) {
  RecordWriter record;
  record.Field(task.givenCount);
  std::vector<int> targets(task.targets.begin(), task.targets.end());
  WriteNumbers(record, targets);
  std::vector<int> codes;
  for (ConstructionMethod method : task.allowed) codes.push_back(Number(Info(method).code));
  WriteNumbers(record, codes);
  record.Field(task.maxSteps);
  record.Field(task.maxElementary);
  record.Field(task.hints.size());
  return record.text();
}

struct Header {
  std::size_t givenCount = 0;
  std::vector<int> targets, codes;
  int maxSteps = kNoBudget, maxElementary = kNoBudget;
  std::size_t hintCount = 0;
};

std::string ReadHeader(std::string_view text, Header& header) {
  RecordParser in(text);
  const int given = in.Number<int>("given count");
  header.targets = in.Numbers("targets");
  header.codes = in.Numbers("allowed methods");
  header.maxSteps = in.Number<int>("step budget");
  header.maxElementary = in.Number<int>("elementary budget");
  const int hints = in.Number<int>("hint count");
  if (in.failed()) return in.error();
  if (!in.AtEnd()) return "text follows the hint count";
  if (given < 0 || hints < 0 || hints > kLargestCount) return "a count is out of range";
  if (header.maxSteps < kNoBudget || header.maxElementary < kNoBudget) {
    return "a budget is below -1";
  }
  header.givenCount = static_cast<std::size_t>(given);
  header.hintCount = static_cast<std::size_t>(hints);
  return {};
}

// The givens stand on nothing else; everything after them is built, so the
// answer depends on the givens alone.
std::string CheckConstruction(const Task& task) {
  const ObjectList& list = task.construction;
  if (task.givenCount > list.size()) return "more givens than objects";
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TGObject& object = list[i];
    const bool given = i < task.givenCount;
    for (const TGObject* parent : object.Parents) {
      if (given && static_cast<std::size_t>(parent->Index()) >= task.givenCount) {
        return "given " + std::to_string(i) + " is built on an object that is not given";
      }
    }
    if (!given && PlacedByHand(object)) {
      return "object " + std::to_string(i) + " is placed by hand but not given";
    }
  }
  if (task.targets.empty()) return "the task has no target";
  for (std::size_t target : task.targets) {
    if (target < task.givenCount || target >= list.size()) {
      return "target " + std::to_string(target) + " is not an object built after the givens";
    }
  }
  return {};
}

std::string ApplyHeader(const Header& header, Task& task) {
  task.givenCount = header.givenCount;
  task.maxSteps = header.maxSteps;
  task.maxElementary = header.maxElementary;
  for (int target : header.targets) {
    if (target < 0) return "a target number is negative";
    task.targets.push_back(static_cast<std::size_t>(target));
  }
  for (int code : header.codes) {
    const MethodInfo* method = FindMethod(MethodCode{code});
    if (method == nullptr) return "no construction method " + std::to_string(code);
    task.allowed.push_back(method->method);
  }
  return CheckConstruction(task);
}

}  // namespace

std::string WriteTask(const Task& task) {
  std::string out(kTaskMagicLine);
  out += kLineEnd;
  AppendLine(out, HeaderRecord(task));
  for (const std::string& hint : task.hints) AppendLine(out, ToFileText(hint));
  out += WritePlane(task.construction, {task.title, task.statement});
  return out;
}

TaskLoadResult ReadTask(std::string_view bytes, Task& task) {
  const std::vector<std::string_view> lines = SplitFileLines(bytes);
  if (lines.size() < 2 || lines[0] != kTaskMagicLine) return {false, false, "not a task file"};
  Header header;
  std::string error = ReadHeader(DecodeLine(lines[1]), header);
  if (!error.empty()) return {false, false, "line 2: " + error};
  const std::size_t documentLine = 2 + header.hintCount;
  if (documentLine >= lines.size()) return {false, false, "the file ends inside the hints"};

  Task read;
  for (std::size_t i = 2; i < documentLine; ++i) {
    read.hints.push_back(Cp1251ToUtf8(DecodeLine(lines[i])));
  }
  const std::size_t offset = static_cast<std::size_t>(lines[documentLine].data() - bytes.data());
  DocumentInfo info;
  const LoadResult loaded = ReadPlane(bytes.substr(offset), read.construction, info);
  if (!loaded.ok()) return {false, false, "the construction: " + loaded.detail};
  read.title = info.author;
  read.statement = info.comment;
  error = ApplyHeader(header, read);
  if (!error.empty()) return {false, false, error};
  task.Swap(read);
  return {true, false, {}};
}

SaveResult SaveTask(const std::filesystem::path& path, const Task& task) {
  return ReplaceFileContents(path, WriteTask(task));
}

TaskLoadResult LoadTask(const std::filesystem::path& path, Task& task) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return {false, true, "no such file"};
  if (std::filesystem::is_directory(path, ec)) return {false, false, "a folder, not a file"};
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open()) return {false, false, "cannot open the file"};
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return {false, false, "cannot read the file"};
  return ReadTask(bytes, task);
}

}  // namespace zelmora
