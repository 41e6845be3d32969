#include "lessons/grading.h"

#include "document/document_file.h"

namespace zelmora {
namespace {

std::string CsvField(const std::string& text) {
  if (text.find_first_of(";\"\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

// The targets not built, by name, with what became of them.
std::string Shortfall(const Task& task, const CheckResult& result) {
  std::string text;
  for (std::size_t t = 0; t < result.targets.size() && t < task.targets.size(); ++t) {
    if (result.targets[t] == TargetStatus::kBuilt) continue;
    if (!text.empty()) text += ", ";
    text += task.construction[task.targets[t]].Name;
    text += " (";
    text += StatusName(result.targets[t]);
    text += ')';
  }
  return text;
}

}  // namespace

GradedAttempt GradeFile(const Task& task, const std::string& file) {
  GradedAttempt graded{file, {}, {}};
  ObjectList attempt;
  DocumentInfo info;
  const LoadResult loaded = LoadPlane(file, attempt, info);
  if (loaded.status == LoadStatus::kNotFound) {
    graded.error = "no such file";
  } else if (!loaded.ok()) {
    graded.error = "unreadable document: " + loaded.detail;
  } else {
    graded.result = CheckAttempt(task, attempt);
    if (!graded.result.isAttempt) graded.error = graded.result.notAttempt;
  }
  return graded;
}

const char* StatusName(TargetStatus status) {
  switch (status) {
    case TargetStatus::kBuilt:
      return "built";
    case TargetStatus::kOnlyHere:
      return "only-here";
    case TargetStatus::kMissing:
      break;
  }
  return "missing";
}

std::string GradesCsv(const Task& task, const std::vector<GradedAttempt>& grades) {
  std::string csv = "file;solved;steps;elementary;not built;forbidden;error\r\n";
  for (const GradedAttempt& g : grades) {
    std::string forbidden;
    for (int code : g.result.forbidden) {
      if (!forbidden.empty()) forbidden += ' ';
      forbidden += std::to_string(code);
    }
    csv += CsvField(g.file);
    csv += g.result.solved ? ";yes;" : ";no;";
    csv += std::to_string(g.result.steps) + ';' + std::to_string(g.result.elementary) + ';';
    csv += CsvField(Shortfall(task, g.result)) + ';' + forbidden + ';' + CsvField(g.error);
    csv += "\r\n";
  }
  return csv;
}

}  // namespace zelmora
