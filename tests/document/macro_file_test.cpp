#include "document/macro_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "../../bench/chained_midpoints.h"
#include "document/line_code.h"
#include "support/temp_folder.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

void WriteMacro(const fs::path& file, const std::string& name) {
  std::ofstream out(file, std::ios::binary);
  out << "ZelmoraMacros2.0\r\n" << EncodeLine(name) << "\r\n";
  out << EncodeLine("1;A;1;0;1;0;0;0;;;") << "\r\n" << EncodeLine("End") << "\r\n";
}

TEST(MacroListAtStart, FirstStartOffersTheShippedMacrosUntilAListIsSaved) {
  const fs::path folder = testing::FreshTempFolder("start");
  fs::create_directories(folder / "Macros");
  WriteMacro(folder / "Macros" / "b.zmm", "Second");
  WriteMacro(folder / "Macros" / "a.zmm", "First");
  std::ofstream(folder / "Macros" / "broken.zmm") << "not a macro";
  const auto shipped = LoadMacroListAtStart(folder);
  ASSERT_TRUE(shipped.has_value());
  EXPECT_EQ(*shipped, (MacroList{{"First", (folder / "Macros" / "a.zmm").string()},
                                 {"Second", (folder / "Macros" / "b.zmm").string()}}));
  // A saved list, even an empty one, is the user's choice from then on.
  ASSERT_TRUE(SaveMcrFile(folder / kMacroListFile, {}));
  EXPECT_EQ(LoadMacroListAtStart(folder), MacroList{});
  fs::remove_all(folder);
}

// A long macro builds every record on the right parents at the right place;
// applied record by record this took minutes under the sanitizers.
TEST(MacroApplication, ALongChainIsBuiltWhole) {
  constexpr int kRecords = 20000;
  ObjectList list;
  bench::AddArgumentPoints(list);
  const MacroApplied applied =
      ApplyMacroBytes(bench::ChainedMidpointMacro(kRecords), list, {&list[0], &list[1]});
  ASSERT_TRUE(applied.ok) << applied.detail;
  ASSERT_EQ(list.size(), 2u + kRecords);
  double x = 900, y = 450;
  for (std::size_t k = 2; k < list.size(); ++k) {
    x = (x + 100) / 2;
    y = (y + 50) / 2;
    const auto& m = static_cast<const TGPoint&>(list[k]);
    ASSERT_EQ(m.Parents, (std::vector<TGObject*>{&list[k - 1], &list[0]})) << k;
    ASSERT_DOUBLE_EQ(m.X, x) << k;
    ASSERT_DOUBLE_EQ(m.Y, y) << k;
  }
}

}  // namespace
}  // namespace zelmora
