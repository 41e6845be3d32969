// Any bytes as a document file (or as clear text, see plain_document.h): the
// reader either refuses them and leaves the drawing alone, or accepts them,
// and then whatever the writer makes of the drawing must read back as the
// same construction.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "document/document_file.h"
#include "plain_document.h"

namespace {

using namespace zelmora;

// The file each input passes through; removed when the run ends.
class ScratchFile {
 public:
  ScratchFile() {
    const std::filesystem::path shared = "/dev/shm";
    const auto folder =
        std::filesystem::is_directory(shared) ? shared : std::filesystem::temp_directory_path();
    path_ = folder / ("load_plane_fuzz-" + std::to_string(::getpid()) + ".zms");
  }
  ~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "load_plane_fuzz: %s\n", what);
  std::abort();
}

// Everything but the geometry, which a point sliding on a line may legitimately
// move by the truncation of its stored position. Texts only with `names`: the
// writer drops control codes, so they settle after the first save.
std::string Construction(const ObjectList& list, bool names) {
  std::string text;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const TGObject& o = list[i];
    text += std::to_string(o.Kind()) + (names ? o.Name : "") + ";" + std::to_string(o.Color) + ";" +
            std::to_string(o.Width) + ";" + std::to_string(o.PenStyle) + ";" +
            std::to_string(o.NameVisible) + std::to_string(o.MustDraw) + std::to_string(o.Hidden) +
            ";" + std::to_string(Number(o.Method)) + ";";
    for (const TGObject* p : o.Parents) text += std::to_string(p->Index()) + ":";
    text += ";";
    for (const TGObject* c : o.Children) text += std::to_string(c->Index()) + ":";
    text += "\n";
  }
  return text;
}

// Saves and reloads; the reloaded drawing must be the same construction.
void RoundTrip(const std::filesystem::path& path, const ObjectList& list, const DocumentInfo& info,
               ObjectList& again, DocumentInfo& againInfo, bool names) {
  Require(SavePlane(path, list, info).ok, "saving a loaded drawing failed");
  Require(LoadPlane(path, again, againInfo).ok(), "a saved drawing does not read back");
  Require(Construction(again, names) == Construction(list, names),
          "the construction changed on the way");
  Require(!names || againInfo == info, "author or comment changed on the way");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ScratchFile scratch;
  const std::filesystem::path& path = scratch.path();
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      << FuzzInputToFile({reinterpret_cast<const char*>(data), size});
  ObjectList list;
  list.AddPoint();
  DocumentInfo info{"before", {}};
  const LoadResult loaded = LoadPlane(path, list, info);
  if (!loaded.ok()) {
    Require(list.size() == 1 && info.author == "before", "a refused file changed the drawing");
    Require(!loaded.detail.empty(), "a refused file without a reason");
    return 0;
  }
  Require(!list.Modified(), "a loaded drawing counts as modified");
  ObjectList second, third;
  DocumentInfo secondInfo, thirdInfo;
  RoundTrip(path, list, info, second, secondInfo, false);
  RoundTrip(path, second, secondInfo, third, thirdInfo, true);
  return 0;
}
