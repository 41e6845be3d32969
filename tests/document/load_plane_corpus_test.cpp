// Replays the document files the fuzzer kept: each either loads and then
// survives a save and reload as the same construction, or is refused with a
// reason and leaves the drawing alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../../fuzz/plain_document.h"
#include "document/document_file.h"

namespace zelmora {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles() {
  std::vector<fs::path> files;
  const fs::path folder = fs::path(ZELMORA_SOURCE_DIR) / "fuzz" / "corpus" / "load_plane";
  for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Kinds, methods and links: what a save must never change.
std::string Links(const ObjectList& list) {
  std::string text;
  for (std::size_t i = 0; i < list.size(); ++i) {
    text += std::to_string(list[i].Kind()) + "/" + std::to_string(Number(list[i].Method)) + ":";
    for (const TGObject* p : list[i].Parents) text += std::to_string(p->Index()) + ",";
    text += "|";
    for (const TGObject* c : list[i].Children) text += std::to_string(c->Index()) + ",";
    text += "\n";
  }
  return text;
}

TEST(LoadPlaneCorpus, EveryFileLoadsSoundlyOrIsRefused) {
  const auto files = CorpusFiles();
  ASSERT_GE(files.size(), 5u);
  int loadedCount = 0;
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    ObjectList list;
    list.AddPoint();
    DocumentInfo info{"before", {}};
    const LoadResult result = ReadPlane(FuzzInputToFile(Bytes(file)), list, info);
    if (!result.ok()) {
      EXPECT_FALSE(result.detail.empty());
      EXPECT_EQ(list.size(), 1u);
      EXPECT_EQ(info.author, "before");
      continue;
    }
    ++loadedCount;
    ObjectList again;
    DocumentInfo againInfo;
    const LoadResult reloaded = ReadPlane(WritePlane(list, info), again, againInfo);
    ASSERT_TRUE(reloaded.ok()) << reloaded.detail;
    EXPECT_EQ(Links(again), Links(list));
  }
  // The hand-made seeds load; a corpus of refusals alone would test little.
  EXPECT_GE(loadedCount, 4);
}

}  // namespace
}  // namespace zelmora
