#include <gtest/gtest.h>

#include "geometry/construction_method.h"
#include "interaction/creation_state.h"
#include "interaction/file_construction_tables.h"
#include "support/fake_editor_view.h"

namespace zelmora {
namespace {

// The shipped step table must ask for each construction's parents in the
// order the method stores them; a wrong digit makes a construction unpickable.
TEST(FileConstructionTables, ShippedStepTableAsksForTheParentsOfEveryMethod) {
  FileConstructionTables shipped(ZELMORA_BIN_DIR);
  for (MethodCode code : kCreationMethods) {
    SCOPED_TRACE(Number(code));
    const std::vector<int> kinds = testing::PickKinds(code);
    ASSERT_EQ(shipped.StepKind(code, 0), static_cast<int>(kinds.size()));
    for (std::size_t step = 1; step <= kinds.size(); ++step) {
      EXPECT_EQ(shipped.StepKind(code, static_cast<int>(step)), kinds[step - 1]);
      const auto prompt = shipped.MethodText(code, static_cast<int>(step));
      ASSERT_TRUE(prompt.has_value());
      EXPECT_FALSE(prompt->empty());
      EXPECT_NE(*prompt, "Error");
    }
  }
}

// A built method without a recompute function would leave its objects where
// they were created; a free one with a function would move under the mouse.
TEST(ConstructionMethods, EveryBuiltMethodAndOnlyThoseRecompute) {
  for (const MethodInfo& method : kMethods) {
    SCOPED_TRACE(Number(method.code));
    EXPECT_EQ(method.parents.empty(), method.recompute == nullptr);
  }
}

TEST(FileConstructionTables, MissingTablesRefuseEveryPickAndReportThePromptTable) {
  FileConstructionTables missing("/nonexistent-folder");
  const MethodCode midpoint = CodeOf(ConstructionMethod::Midpoint);
  EXPECT_EQ(missing.StepKind(midpoint, 1), 0);
  EXPECT_EQ(missing.MethodText(midpoint, 1), std::nullopt);
}

}  // namespace
}  // namespace zelmora
