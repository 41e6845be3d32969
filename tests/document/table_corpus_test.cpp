// Replays the fuzzing corpora of the macro list and the text tables through
// the real file readers, so inputs that once broke them stay covered.
#include <gtest/gtest.h>

#include "support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/macro_list.h"
#include "document/text_table.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles(const char* name) {
  std::vector<fs::path> files;
  const fs::path folder = fs::path(ZELMORA_SOURCE_DIR) / "fuzz" / "corpus" / name;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  return files;
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class CorpusReplay : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = zelmora::testing::FreshTempFolder("corpus"); }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path folder_;
};

TEST_F(CorpusReplay, MacroListsSurviveASaveAndALoad) {
  const auto files = CorpusFiles("macro_list");
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    const auto list = LoadMcrFile(file);
    ASSERT_TRUE(list.has_value());
    MacroList storable;
    for (const MacroEntry& entry : *list) {
      if (IsStorableMacroEntry(entry)) storable.push_back(entry);
    }
    const fs::path saved = folder_ / kMacroListFile;
    ASSERT_TRUE(SaveMcrFile(saved, *list));
    EXPECT_EQ(LoadMcrFile(saved), storable);
  }
}

// Each corpus input starts with the key (two bytes) and the line (one byte)
// that the fuzzer asked for; the rest is the table file.
TEST_F(CorpusReplay, TableLookupsAnswerEveryDamagedTable) {
  const auto files = CorpusFiles("text_table");
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    const std::string bytes = ReadBytes(file);
    if (bytes.size() < 3) continue;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const int key = (byte(0) | (byte(1) << 8)) % 400 - 10;
    const int line = static_cast<signed char>(bytes[2]);
    const fs::path table = folder_ / kStepTableFile;
    std::ofstream(table, std::ios::binary) << bytes.substr(3);

    EXPECT_TRUE(TableText(table, key, line).has_value());
    const auto steps = StepKind(table, key, 0);
    ASSERT_TRUE(steps.has_value());
    for (int step = 1; step <= *steps && step <= 64; ++step) {
      const auto kind = StepKind(table, key, step);
      ASSERT_TRUE(kind.has_value());
      EXPECT_TRUE(*kind >= 0 && *kind <= 9) << "step " << step << " kind " << *kind;
    }
  }
}

}  // namespace
}  // namespace zelmora
