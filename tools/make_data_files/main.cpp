// Builds the data files the program reads from its folder out of the
// human-editable sources in data/:
//   make_data_files pack <manifest> <output>   the image pack
//   make_data_files table <source> <output>    one text table
//   make_data_files document <source> <output> one example drawing
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bmp_writer.h"
#include "document/image_pack.h"
#include "picture_source.h"
#include "source_lines.h"
#include "text_table.h"

namespace zelmora::tools {
namespace {

namespace fs = std::filesystem;

// The pictures named by the manifest, one file name a line, in pack order.
std::string BuildImagePack(const std::string& manifest_path) {
  SourceLines manifest(manifest_path);
  const fs::path folder = fs::path(manifest_path).parent_path();
  std::string pack;
  int number = 0;
  while (auto line = manifest.Next()) {
    if (SkipsAsComment(*line)) continue;
    if (++number > kImagePackCount) manifest.Fail("the pack holds only 27 images");
    const std::string source = (folder / *line).string();
    std::string bmp;
    try {
      bmp = EncodeBmp(LoadPictureSource(source));
    } catch (const std::runtime_error& error) {
      const std::string message = error.what();
      // Drawing mistakes name their line already; the palette check cannot.
      throw std::runtime_error(message.rfind(source, 0) == 0 ? message : source + ": " + message);
    }
    const std::size_t wanted = kImagePackSizes[static_cast<std::size_t>(number - 1)];
    if (bmp.size() != wanted) {
      throw std::runtime_error(source + ": image " + std::to_string(number) + " makes " +
                               std::to_string(bmp.size()) + " bytes, the pack needs " +
                               std::to_string(wanted));
    }
    pack += bmp;
  }
  if (number != kImagePackCount) manifest.Fail("the pack needs 27 images");
  if (!SplitImagePack(pack).ok()) throw std::runtime_error("the pack does not read back");
  return pack;
}

// Through a temporary file, so that a failed run never leaves a half-written
// output that the build would take for up to date.
void WriteFileAtomically(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".part";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) throw std::runtime_error(temporary + ": cannot be written");
  }
  fs::rename(temporary, path);
}

int Run(const std::vector<std::string>& arguments) {
  const bool known = arguments.size() == 3 && (arguments[0] == "pack" || arguments[0] == "table" ||
                                               arguments[0] == "document");
  if (!known) {
    std::fprintf(stderr,
                 "usage: make_data_files pack <manifest> <output>\n"
                 "       make_data_files table <source> <output>\n"
                 "       make_data_files document <source> <output>\n");
    return 2;
  }
  const std::string bytes = arguments[0] == "pack"    ? BuildImagePack(arguments[1])
                            : arguments[0] == "table" ? EncodeTextTable(arguments[1])
                                                      : EncodeDocument(arguments[1]);
  WriteFileAtomically(arguments[2], bytes);
  return 0;
}

}  // namespace
}  // namespace zelmora::tools

int main(int argc, char** argv) {
  try {
    return zelmora::tools::Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_data_files: %s\n", error.what());
    return 1;
  }
}
