#include "interaction/file_construction_tables.h"

#include "document/text_table.h"

namespace zelmora {

// A missing step table means nothing can be picked: every pick is refused,
// which is what a user can still work with (free objects keep working).
int FileConstructionTables::StepKind(MethodCode method, int step) {
  return zelmora::StepKind(folder_ / kStepTableFile, Number(method), step).value_or(0);
}

std::optional<std::string> FileConstructionTables::MethodText(MethodCode method, int step) {
  return zelmora::MethodText(folder_, Number(method), step);
}

}  // namespace zelmora
