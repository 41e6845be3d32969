#include "document/macro_list.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "document/cp1251.h"
#include "document/line_code.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

}  // namespace

void PrintTo(const MacroEntry& entry, std::ostream* out) {
  *out << "{\"" << entry.caption << "\", \"" << entry.path << "\"}";
}

namespace {

std::string StoredLine(const std::string& utf8) {
  return EncodeLine(*Utf8ToCp1251(utf8));
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class MacroListFile : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = zelmora::testing::FreshTempFolder("macros"); }
  void TearDown() override { fs::remove_all(folder_); }
  fs::path File() const { return folder_ / kMacroListFile; }

  fs::path folder_;
};

struct SplitCase {
  const char* name;
  const char* line;
  MacroEntry expected;
};

class MacroLineSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(MacroLineSplit, CaptionEndsAtTheFirstSemicolon) {
  const SplitCase& c = GetParam();
  std::istringstream in(StoredLine(c.line) + "\r\n" + StoredLine("Второй;/m/2.zmm"));
  const MacroList list = ReadMacroList(in);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0], c.expected);
  EXPECT_EQ(list[1], (MacroEntry{"Второй", "/m/2.zmm"}));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MacroLineSplit,
    ::testing::Values(
        SplitCase{"Plain",
                  "Треугольник;/home/ученик/Macros/t.zmm",
                  {"Треугольник", "/home/ученик/Macros/t.zmm"}},
        SplitCase{"PathKeepsLaterSemicolons", "Ромб;C:\\a;b\\r.zmm", {"Ромб", "C:\\a;b\\r.zmm"}},
        SplitCase{"NoSemicolonIsAllPath", "/m/x.zmm", {"", "/m/x.zmm"}},
        SplitCase{"EmptyCaption", ";/m/x.zmm", {"", "/m/x.zmm"}},
        SplitCase{"EmptyPath", "Пусто;", {"Пусто", ""}}, SplitCase{"EmptyLine", "", {"", ""}}),
    [](const ::testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

TEST_F(MacroListFile, MissingFileIsAnEmptyListAndAFolderIsUnreadable) {
  const auto list = LoadMcrFile(File());
  ASSERT_TRUE(list.has_value());
  EXPECT_TRUE(list->empty());
  fs::create_directory(File());
  EXPECT_EQ(LoadMcrFile(File()), std::nullopt);
}

TEST_F(MacroListFile, SavedListReadsBackInOrderAsEncodedLines) {
  const MacroList list = {{"Биссектриса", "/home/u/Macros/бис.zmm"},
                          {"Двойной", "/home/u/Macros/бис.zmm"},
                          {"", "/a;b.zmm"}};
  ASSERT_TRUE(SaveMcrFile(File(), list));
  EXPECT_EQ(ReadBytes(File()), StoredLine("Биссектриса;/home/u/Macros/бис.zmm") + "\r\n" +
                                   StoredLine("Двойной;/home/u/Macros/бис.zmm") + "\r\n" +
                                   StoredLine(";/a;b.zmm") + "\r\n");
  EXPECT_EQ(LoadMcrFile(File()), list);
  // An emptied list empties the file.
  ASSERT_TRUE(SaveMcrFile(File(), {}));
  EXPECT_EQ(ReadBytes(File()), "");
  EXPECT_FALSE(fs::exists(File().string() + ".tmp"));
}

TEST_F(MacroListFile, EntriesThatWouldReadBackWrongAreLeftOut) {
  const MacroEntry good{"Хороший", "/m/good.zmm"};
  const MacroList list = {
      {"а;б", "/m/1.zmm"},       // would split into caption "а" and path "б;/m/1.zmm"
      {"点", "/m/2.zmm"},        // not storable in Windows-1251
      {"x", "/m/\xE2\x82\xAC"},  // the euro sign is, so this one stays
      {"\x0B", "/m/4.zmm"},      // encodes to a line feed
      {"a\x12", "/m/5.zmm"},     // encodes to a carriage return
      good};
  for (const MacroEntry& entry : list) {
    SCOPED_TRACE(entry.caption);
    std::istringstream in(WriteMacroList({entry}));
    const MacroList back = ReadMacroList(in);
    EXPECT_EQ(IsStorableMacroEntry(entry), back == MacroList{entry});
  }
  ASSERT_TRUE(SaveMcrFile(File(), list));
  EXPECT_EQ(LoadMcrFile(File()), (MacroList{list[2], good}));
}

TEST_F(MacroListFile, FailedSaveKeepsThePreviousFile) {
  ASSERT_TRUE(SaveMcrFile(File(), {{"Старый", "/m/old.zmm"}}));
  const std::string before = ReadBytes(File());
  fs::permissions(File(), fs::perms::owner_read);  // marked read-only
  EXPECT_FALSE(SaveMcrFile(File(), {{"Новый", "/m/new.zmm"}}));
  EXPECT_EQ(ReadBytes(File()), before);
  EXPECT_FALSE(SaveMcrFile(folder_ / "no such folder" / kMacroListFile, {}));
}

}  // namespace
}  // namespace zelmora
