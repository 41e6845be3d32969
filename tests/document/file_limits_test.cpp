// Every reader refuses, before reading, what is no file of the program: a
// device that never ends, a folder, a file far too big. Each case would
// otherwise eat memory without end or stall the start.
#include "document/file_limits.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "document/document_file.h"
#include "document/macro_file.h"
#include "document/macro_list.h"
#include "document/text_table.h"
#include "support/temp_folder.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

struct Reader {
  const char* name;
  std::function<bool(const fs::path&)> reads;  // true when the file was taken
};

const Reader kReaders[] = {
    {"drawing",
     [](const fs::path& p) {
       ObjectList list;
       DocumentInfo info;
       return LoadPlane(p, list, info).ok();
     }},
    {"macro", [](const fs::path& p) { return ReadMacroFileBytes(p).has_value(); }},
    {"macro list", [](const fs::path& p) { return LoadMcrFile(p).has_value(); }},
    {"text table", [](const fs::path& p) { return TableText(p, 1, 0).has_value(); }},
};

class FileLimitsTest : public ::testing::Test {
 protected:
  fs::path folder = testing::FreshTempFolder("limits");
  ~FileLimitsTest() override { fs::remove_all(folder); }

  // The unreadable things of the table below, made in the folder.
  fs::path Make(const std::string& what) {
    std::string name = what;
    std::replace(name.begin(), name.end(), '/', '_');
    const fs::path path = folder / (name + ".zms");
    if (what == "link to /dev/zero") fs::create_symlink("/dev/zero", path);
    if (what == "fifo") mkfifo(path.c_str(), 0600);  // opening it would wait for a writer
    if (what == "folder") fs::create_directory(path);
    if (what == "too big") {
      std::ofstream(path, std::ios::binary) << "x";
      fs::resize_file(path, kMaxReadBytes + 1);  // sparse: no disk space taken
    }
    return path;
  }
};

TEST_F(FileLimitsTest, EveryReaderRefusesWhatIsNoFileOfOurs) {
  const struct {
    const char* what;
    const char* reason;
  } cases[] = {
      {"link to /dev/zero", "is not a regular file"},
      {"fifo", "is not a regular file"},
      {"folder", "is a folder"},
      {"too big", "is larger than 64 MiB"},
  };
  for (const auto& c : cases) {
    const fs::path path = Make(c.what);
    EXPECT_NE(ReadRefusal(path).find(c.reason), std::string::npos) << c.what;
    for (const Reader& reader : kReaders) {
      EXPECT_FALSE(reader.reads(path)) << reader.name << " read a " << c.what;
    }
    // What the command line and the window report for a drawing.
    ObjectList list;
    DocumentInfo info;
    EXPECT_NE(LoadPlane(path, list, info).detail.find(c.reason), std::string::npos) << c.what;
  }
}

// A link to a device among the macros of the first start: the list is made
// of the others, and the window appears.
TEST_F(FileLimitsTest, ADeviceAmongTheShippedMacrosIsPassedOver) {
  fs::create_directory(folder / "Macros");
  fs::create_symlink("/dev/zero", folder / "Macros" / "endless.zmm");
  const std::optional<MacroList> list = LoadMacroListAtStart(folder);
  ASSERT_TRUE(list.has_value());
  EXPECT_TRUE(list->empty());
}

}  // namespace
}  // namespace zelmora
