#pragma once

#include <filesystem>

#include "interaction/editor_view.h"

namespace zelmora {

// The construction tables as the program ships them: the step table and the
// prompt table in the program folder, read anew on every lookup.
class FileConstructionTables : public ConstructionTables {
 public:
  explicit FileConstructionTables(std::filesystem::path programFolder)
      : folder_(std::move(programFolder)) {}
  int StepKind(MethodCode method, int step) override;
  std::optional<std::string> MethodText(MethodCode method, int step) override;

 private:
  std::filesystem::path folder_;
};

}  // namespace zelmora
