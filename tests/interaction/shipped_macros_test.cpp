#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "document/macro_file.h"
#include "interaction/macro_application.h"
#include "support/line_scene.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> ShippedMacros() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(fs::path(ZELMORA_BIN_DIR) / "Macros")) {
    if (entry.path().extension() == ".zmm") files.push_back(entry.path());
  }
  return files;
}

std::vector<double> Position(const TGObject& o) {
  switch (o.Kind()) {
    case kPointKind:
      return {static_cast<const TGPoint&>(o).X, static_cast<const TGPoint&>(o).Y};
    case kLineKind: {
      const auto& l = static_cast<const TGLine&>(o);
      return {l.X1, l.Y1, l.X2, l.Y2};
    }
    case kCircleKind: {
      const auto& c = static_cast<const TGCircle&>(o);
      return {c.CX, c.CY, c.R};
    }
    default:
      return {};
  }
}

TEST(ShippedMacros, EachBuildsVisibleResultsThatFollowTheirArguments) {
  const std::vector<fs::path> files = ShippedMacros();
  EXPECT_GE(files.size(), 4u);
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    MacroApplication application;
    ASSERT_EQ(BeginMacroApplication(file, application).error, 0);
    // Points in general position, and a circle they all lie outside of.
    const double points[][2] = {{200, 400}, {620, 430}, {330, 150}, {90, 120}};
    testing::LineScene scene;
    std::vector<int> given;
    for (std::size_t k = 0; k < application.kinds.size(); ++k) {
      given.push_back(static_cast<int>(scene.list.size()));
      if (application.kinds[k] == kPointKind) {
        scene.Point(points[k][0], points[k][1]);
      } else {
        ASSERT_EQ(application.kinds[k], kCircleKind);
        scene.FreeCircle(400, 300, 60);
      }
      EXPECT_FALSE(application.hints[k].empty());
    }
    const std::size_t before = scene.list.size();
    ASSERT_EQ(ApplyMacro(file, scene.list, given).error, 0);
    std::vector<TGObject*> results;
    for (std::size_t i = before; i < scene.list.size(); ++i) {
      if (!scene.list[i].Hidden) results.push_back(&scene.list[i]);
    }
    ASSERT_FALSE(results.empty());
    std::vector<std::vector<double>> placed;
    for (TGObject* r : results) {
      EXPECT_TRUE(r->Defined) << r->Index();
      placed.push_back(Position(*r));
    }
    TGPoint* moved = nullptr;
    for (int g : given) {
      if (scene.list[static_cast<std::size_t>(g)].Kind() == kPointKind) {
        moved = static_cast<TGPoint*>(&scene.list[static_cast<std::size_t>(g)]);
      }
    }
    ASSERT_NE(moved, nullptr);
    moved->DragTo(static_cast<int>(moved->X) + 17, static_cast<int>(moved->Y) + 9);
    for (std::size_t r = 0; r < results.size(); ++r) {
      EXPECT_TRUE(results[r]->Defined) << results[r]->Index();
      EXPECT_NE(Position(*results[r]), placed[r]) << results[r]->Index();
    }
  }
}

}  // namespace
}  // namespace zelmora
