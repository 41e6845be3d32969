#include "document/data_folders.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "document/macro_list.h"
#include "support/temp_folder.h"

namespace zelmora {
namespace {
namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A program folder as the package installs it.
struct Layout {
  fs::path root = testing::FreshTempFolder("data-folders");
  fs::path program = root / "program";
  fs::path user = root / "home" / "zelmora";

  Layout() {
    Write(program / kMacroListFile, "Отрезок;/usr/lib/zelmora/Macros/a.zmm\r\n");
    Write(program / "Saves" / "Пример.zms", "drawing");
    Write(program / "Macros" / "a.zmm", "macro");
  }
  ~Layout() { fs::remove_all(root); }
};

TEST(DataFoldersTest, WritableProgramFolderKeepsEverythingThere) {
  Layout layout;
  const DataFolders folders = ChooseDataFolders(layout.program, layout.user, true);
  EXPECT_EQ(folders.user, layout.program);
  EXPECT_FALSE(fs::exists(layout.user)) << "nothing is copied for a writable program folder";
}

TEST(DataFoldersTest, ReadOnlyProgramFolderSeedsTheUsersFolderOnce) {
  Layout layout;
  DataFolders folders = ChooseDataFolders(layout.program, layout.user, false);
  ASSERT_EQ(folders.user, layout.user) << folders.problem;
  EXPECT_EQ(Read(layout.user / kMacroListFile), Read(layout.program / kMacroListFile));
  EXPECT_EQ(Read(layout.user / "Saves" / "Пример.zms"), "drawing");
  EXPECT_EQ(Read(layout.user / "Macros" / "a.zmm"), "macro");

  // What the user changed since survives the next start.
  Write(layout.user / kMacroListFile, "");
  fs::remove(layout.user / "Saves" / "Пример.zms");
  Write(layout.user / "Saves" / "Моё.zms", "mine");
  folders = ChooseDataFolders(layout.program, layout.user, false);
  EXPECT_EQ(folders.user, layout.user);
  EXPECT_EQ(Read(layout.user / kMacroListFile), "");
  EXPECT_FALSE(fs::exists(layout.user / "Saves" / "Пример.zms"));
  EXPECT_EQ(Read(layout.user / "Saves" / "Моё.zms"), "mine");
}

TEST(DataFoldersTest, UnusableUserFolderFallsBackToTheProgramFolderAndSaysWhy) {
  Layout layout;
  Write(layout.root / "home", "a file where the home folder should be");
  const DataFolders folders = ChooseDataFolders(layout.program, layout.user, false);
  EXPECT_EQ(folders.user, layout.program);
  EXPECT_FALSE(folders.problem.empty());
}

TEST(DataFoldersTest, WritableMeansAFileCanBeCreated) {
  Layout layout;
  EXPECT_TRUE(FolderWritable(layout.program));
  EXPECT_FALSE(fs::exists(layout.program / ".zelmora-write-probe")) << "the probe is removed";
  EXPECT_FALSE(FolderWritable(layout.root / "missing"));
  EXPECT_FALSE(FolderWritable(layout.program / kMacroListFile));
}

}  // namespace
}  // namespace zelmora

namespace zelmora {
namespace {

// Installed, the program folder is never the program's own, even for root,
// who may write there; a copy of its own is used where it stands.
TEST(DataFoldersTest, AnInstalledProgramFolderIsNeverOwn) {
  const struct {
    const char* folder;
    bool installed;
  } cases[] = {
      {"/usr/lib/zelmora", true},
      {"/usr/local/lib/zelmora/", true},
      {"/opt/zelmora", true},
      {"/home/ann/apps/lib/zelmora", true},
      {"/home/ann/zelmora/build/bin", false},
      {"/media/stick/Zelmora", false},
      {"/home/ann/library/zelmora", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InstalledProgramFolder(c.folder), c.installed) << c.folder;
  }
  Layout layout;
  EXPECT_TRUE(ProgramFolderIsOwn(layout.program));
  fs::create_directories(layout.root / "lib" / "zelmora");
  EXPECT_FALSE(ProgramFolderIsOwn(layout.root / "lib" / "zelmora")) << "writable, but installed";
}

// Drawings go where a pupil finds them; macros and the list stay hidden.
TEST(DataFoldersTest, DrawingsGoToTheDocumentsFolder) {
  Layout layout;
  const fs::path documents = layout.root / "home" / "Документы";
  const DataFolders folders = ChooseDataFolders(layout.program, layout.user, false, documents);
  ASSERT_TRUE(folders.problem.empty()) << folders.problem;
  EXPECT_EQ(folders.drawings, documents / "Zelmora");
  EXPECT_EQ(Read(documents / "Zelmora" / "Пример.zms"), "drawing");
  EXPECT_EQ(Read(layout.user / "Macros" / "a.zmm"), "macro");
  EXPECT_FALSE(fs::exists(layout.user / "Saves"));
  EXPECT_EQ(ChooseDataFolders(layout.program, layout.user, true, documents).drawings,
            layout.program / "Saves");
}

}  // namespace
}  // namespace zelmora
