// Replays the macro files the fuzzer kept: each is refused with a reason and
// leaves the drawing alone, or applies with sound links.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../../fuzz/macro_apply_check.h"
#include "../../fuzz/plain_document.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

TEST(MacroApplyCorpus, EveryFileAppliesSoundlyOrIsRefused) {
  std::vector<fs::path> files;
  const fs::path folder = fs::path(ZELMORA_SOURCE_DIR) / "fuzz" / "corpus" / "macro_apply";
  for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_GE(files.size(), 10u);
  int applied = 0;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::string raw{std::istreambuf_iterator<char>(in), {}};
    const std::string bytes = FuzzInputToFile(raw);
    EXPECT_EQ(MacroApplyFault(bytes), "") << file.filename();
    if (ReadMacroHeader(bytes).header) ++applied;
  }
  // The seeds that must apply: the shipped macros, plain and stored.
  EXPECT_GE(applied, 8);
}

}  // namespace
}  // namespace zelmora
