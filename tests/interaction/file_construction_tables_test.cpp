#include <gtest/gtest.h>

#include "interaction/creation_state.h"
#include "interaction/file_construction_tables.h"
#include "support/fake_editor_view.h"

namespace zelmora {
namespace {

// The tables the build generates must agree, step by step, with the table the
// editor tests use; a wrong digit would make a construction unpickable.
TEST(FileConstructionTables, ShippedStepTableMatchesEveryConstruction) {
  FileConstructionTables shipped(ZELMORA_BIN_DIR);
  testing::TableConstructionTables expected;
  for (int method : kCreationMethods) {
    if (method == 0 || method == 100 || method == 200) continue;  // placed, not picked
    SCOPED_TRACE(method);
    const int steps = expected.StepKind(method, 0);
    if (steps == 0) continue;  // 5 and 7 come only with 4 and 6
    ASSERT_EQ(shipped.StepKind(method, 0), steps);
    for (int step = 1; step <= steps; ++step) {
      EXPECT_EQ(shipped.StepKind(method, step), expected.StepKind(method, step));
      const auto prompt = shipped.MethodText(method, step);
      ASSERT_TRUE(prompt.has_value());
      EXPECT_FALSE(prompt->empty());
      EXPECT_NE(*prompt, "Error");
    }
  }
}

TEST(FileConstructionTables, MissingTablesRefuseEveryPickAndReportThePromptTable) {
  FileConstructionTables missing("/nonexistent-folder");
  EXPECT_EQ(missing.StepKind(9, 1), 0);
  EXPECT_EQ(missing.MethodText(9, 1), std::nullopt);
}

}  // namespace
}  // namespace zelmora
