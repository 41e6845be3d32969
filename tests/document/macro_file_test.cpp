#include "document/macro_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

}  // namespace
}  // namespace zelmora
