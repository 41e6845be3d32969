#include "document/text_table.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "document/cp1251.h"
#include "document/line_code.h"
#include "geometry/construction_method.h"
// Header only: the commands whose pick sequences the shipped tables must serve.
#include "interaction/command_table.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

// The bytes of a table file made of these UTF-8 lines.
std::string EncodeTable(const std::vector<std::string>& lines, const std::string& eol = "\r\n",
                        bool lastLineEnded = true) {
  std::string bytes;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    bytes += EncodeLine(*Utf8ToCp1251(lines[i]));
    if (i + 1 < lines.size() || lastLineEnded) bytes += eol;
  }
  return bytes;
}

void WriteFile(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

class TempFolder {
 public:
  TempFolder() { path_ = zelmora::testing::FreshTempFolder("table"); }
  ~TempFolder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Key 10 comes first so that a prefix match without the "-" would find it.
const std::vector<std::string> kSampleTable = {
    "10-десять",     "десять, строка 1",     "1-один", "один, строка 1", "один, строка 2",
    "12-двенадцать", "двенадцать, строка 1",
};

struct TextCase {
  const char* name;
  int key;
  int line;
  const char* expected;
};

class TableTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TableTextTest, FindsTheEntryWhateverTheLineEnds) {
  const TextCase& c = GetParam();
  const std::vector<std::string> endings = {"\r\n", "\n"};
  for (const std::string& eol : endings) {
    for (bool lastLineEnded : {true, false}) {
      std::istringstream table(EncodeTable(kSampleTable, eol, lastLineEnded));
      EXPECT_EQ(TableText(table, c.key, c.line), c.expected)
          << "eol " << (eol.size() == 2 ? "CRLF" : "LF") << ", last line ended " << lastLineEnded;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, TableTextTest,
    ::testing::Values(
        TextCase{"KeyOneSkipsTen", 1, 0, "один"}, TextCase{"KeyTenHeader", 10, 0, "десять"},
        TextCase{"FirstLine", 1, 1, "один, строка 1"},
        TextCase{"SecondLine", 1, 2, "один, строка 2"},
        TextCase{"ReadsOnIntoNextHeader", 1, 3, "12-двенадцать"},
        TextCase{"ReadsOnIntoNextLines", 10, 3, "один, строка 1"},
        TextCase{"LastLineOfFile", 12, 1, "двенадцать, строка 1"},
        TextCase{"PastEndOfFile", 12, 2, ""}, TextCase{"FarPastEndOfFile", 1, 2000000000, ""},
        TextCase{"MissingKey", 2, 0, "Error"}, TextCase{"NegativeLine", 1, -1, "Error"}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return info.param.name; });

struct StepCase {
  const char* name;
  int method;
  int step;
  int expected;
};

class StepKindTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepKindTest, ReadsTheKindOfEachStep) {
  const StepCase& c = GetParam();
  std::istringstream table(
      EncodeTable({"0-", "10-11", "1-2", "101-11", "106-12111", "7-1x3", "8-12 "}));
  EXPECT_EQ(StepKind(table, c.method, c.step), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, StepKindTest,
    ::testing::Values(StepCase{"KeyOneSkipsTen", 1, 0, 1}, StepCase{"KindOfOnlyStep", 1, 1, 2},
                      StepCase{"StepCount", 106, 0, 5}, StepCase{"ThirdStep", 106, 3, 1},
                      StepCase{"NoSteps", 0, 0, 0}, StepCase{"PastLastStep", 101, 3, 0},
                      StepCase{"NegativeStep", 101, -1, 0}, StepCase{"MissingMethod", 55, 0, 0},
                      StepCase{"DamagedKindIsNoKind", 7, 2, 0},
                      StepCase{"KindAfterDamage", 7, 3, 3},
                      StepCase{"TrailingBlankCounts", 8, 0, 3}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return info.param.name; });

TEST(TextTableFile, MissingOrUnreadableTableIsAnErrorNotAnEntry) {
  TempFolder folder;
  const fs::path missing = folder.path() / "absent.zmr";
  EXPECT_EQ(TableText(missing, 1, 0), std::nullopt);
  EXPECT_EQ(StepKind(missing, 1, 0), std::nullopt);
  EXPECT_EQ(MethodText(folder.path(), 1, 0), std::nullopt);
  // A folder where the table should be cannot be read either.
  fs::create_directory(folder.path() / kPromptTableFile);
  EXPECT_EQ(MethodText(folder.path(), 1, 0), std::nullopt);
  EXPECT_EQ(TableText(folder.path(), 1, 0), std::nullopt);
}

TEST(TextTableFile, EveryLookupSeesTheFileAsItIsNow) {
  TempFolder folder;
  const fs::path table = folder.path() / kPromptTableFile;
  WriteFile(table, EncodeTable({"101-Две точки", "Выберите точку"}));
  EXPECT_EQ(MethodText(folder.path(), 101, 0), "Две точки");
  EXPECT_EQ(MethodText(folder.path(), 101, 1), "Выберите точку");
  WriteFile(table, EncodeTable({"101-Прямая"}));
  EXPECT_EQ(MethodText(folder.path(), 101, 0), "Прямая");
  EXPECT_EQ(MethodText(folder.path(), 101, 1), "");
  // Steps are counted in characters of the file, not in bytes of UTF-8.
  EXPECT_EQ(StepKind(table, 101, 0), 6);
}

// ---- The tables the program ships ----------------------------------------

std::vector<std::string> ReadSourceLines(const fs::path& source) {
  std::ifstream in(source, std::ios::binary);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

struct ShippedTable {
  const char* file;
  const char* source;
};
const ShippedTable kShippedTables[] = {{kStepTableFile, "killer_king.txt"},
                                       {kPromptTableFile, "killer_queen.txt"},
                                       {kErrorTableFile, "lollypop.txt"}};

fs::path SourceOf(const ShippedTable& table) {
  return fs::path(ZELMORA_SOURCE_DIR) / "data" / "tables" / table.source;
}

// A header is "<decimal key>-"; any other line that looked like one would
// hide the real entry of that key from every lookup.
std::optional<int> HeaderKey(const std::string& line) {
  std::size_t i = line.starts_with("-") ? 1 : 0;
  const std::size_t digits = i;
  while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
  if (i == digits || i >= line.size() || line[i] != '-') return std::nullopt;
  return std::stoi(line.substr(0, i));
}

// The tables as the program finds them in its folder, where the build puts them.
class ShippedTablesTest : public ::testing::Test {
 protected:
  static fs::path File(const char* name) { return fs::path(ZELMORA_BIN_DIR) / name; }
  static int Steps(int method) { return StepKind(File(kStepTableFile), method, 0).value_or(-1); }
  static std::string Prompt(int method, int line) {
    return MethodText(ZELMORA_BIN_DIR, method, line).value_or("<unreadable>");
  }
};

TEST_F(ShippedTablesTest, SourcesAreWindows1251LinesWithOneHeaderPerKey) {
  for (const ShippedTable& table : kShippedTables) {
    const auto lines = ReadSourceLines(SourceOf(table));
    ASSERT_FALSE(lines.empty()) << table.source;
    ASSERT_TRUE(HeaderKey(lines.front())) << table.source << " must start with an entry";
    std::vector<int> keys;
    for (const std::string& line : lines) {
      EXPECT_TRUE(FitsCp1251(line)) << table.source << ": " << line;
      if (const auto key = HeaderKey(line)) {
        EXPECT_EQ(std::count(keys.begin(), keys.end(), *key), 0)
            << table.source << ": key " << *key << " twice, or a line reads like its header";
        keys.push_back(*key);
      }
    }
  }
}

TEST_F(ShippedTablesTest, GeneratedFilesAreTheEncodedSources) {
  for (const ShippedTable& table : kShippedTables) {
    const fs::path generated = fs::path(ZELMORA_BIN_DIR) / table.file;
    ASSERT_TRUE(fs::exists(generated)) << table.file << " is made by the build";
    std::ifstream in(generated, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(bytes, EncodeTable(ReadSourceLines(SourceOf(table)))) << table.file;
  }
}

// Every code the creation sequence looks up: the methods, and 304, the
// line-circle crossing picked circle first.
std::vector<int> CreationCodes() {
  std::vector<int> codes;
  for (const MethodInfo& method : kMethods) codes.push_back(Number(method.code));
  codes.push_back(304);
  return codes;
}

TEST_F(ShippedTablesTest, EveryMethodHasATitleAndAPromptForEachStep) {
  for (int code : CreationCodes()) {
    const std::string title = Prompt(code, 0);
    EXPECT_FALSE(title.empty()) << "method " << code;
    EXPECT_NE(title, "Error") << "method " << code;
    for (int step = 1; step <= Steps(code); ++step) {
      const std::string prompt = Prompt(code, step);
      EXPECT_FALSE(prompt.empty()) << "method " << code << " step " << step;
      EXPECT_FALSE(HeaderKey(prompt)) << "method " << code << " lacks prompt " << step;
    }
  }
  // The new-object dialogs show these for the free methods.
  EXPECT_EQ(Prompt(0, 0), "Просто точка, просто на плоскости");
  EXPECT_EQ(Prompt(100, 0), "Вместе с прямой создаются две точки, через которые она проходит");
  EXPECT_EQ(Prompt(200, 0), "Вместе с окружностью создается точка — её центр");
}

// Walks every pick sequence of every command that picks the way the creation
// sequence narrows its candidates, and checks that each prompt shown names
// every kind of object that may be picked at that moment.
TEST_F(ShippedTablesTest, PromptsNameEveryKindThatMayBePickedNext) {
  const char* kindWord[] = {"", "точку", "прямую", "окружность"};
  const fs::path steps = File(kStepTableFile);
  struct State {
    std::vector<int> candidates;
    int promptMethod;
    int step;
  };
  for (const CommandInfo& info : kCommands) {
    if (info.mode != InteractionState::PickParents) continue;
    const int command = Number(info.code);
    std::vector<int> group;
    for (MethodCode c : info.candidates) group.push_back(Number(c));
    std::vector<State> pending = {{group, command, 1}};
    while (!pending.empty()) {
      const State state = pending.back();
      pending.pop_back();
      const std::string prompt = Prompt(state.promptMethod, state.step);
      std::vector<int> kinds;
      for (int c : state.candidates) {
        const int kind = StepKind(steps, c, state.step).value_or(0);
        if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) kinds.push_back(kind);
      }
      ASSERT_FALSE(prompt.empty()) << "command " << command << " step " << state.step;
      for (int kind : kinds) {
        ASSERT_TRUE(kind >= 1 && kind <= 3) << "command " << command << " step " << state.step;
        if (kinds.size() > 1) {
          EXPECT_NE(prompt.find(kindWord[kind]), std::string::npos)
              << "command " << command << " step " << state.step << ": \"" << prompt
              << "\" does not mention " << kindWord[kind];
        }
        std::vector<int> left;
        for (int c : state.candidates) {
          if (StepKind(steps, c, state.step) == kind) left.push_back(c);
        }
        const int chosen = left.back();  // candidates are kept in table order
        const bool complete = left.size() == 1 && Steps(chosen) == state.step;
        if (!complete) pending.push_back({left, chosen, state.step + 1});
      }
    }
  }
}

TEST_F(ShippedTablesTest, EveryErrorTheProgramRaisesHasAText) {
  for (int number : {1, 2, 5, 6, 7, 8, 9}) {
    const auto text = TableText(File(kErrorTableFile), number, 0);
    ASSERT_TRUE(text.has_value());
    EXPECT_FALSE(text->empty()) << "error " << number;
    EXPECT_NE(*text, "Error") << "error " << number;
  }
}

}  // namespace
}  // namespace zelmora
