#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Saving a file whole or not at all: the bytes go to a temporary file beside
// the target, which then replaces it in one rename.
namespace zelmora {

// Why a save failed, sorted into what a user can do something about.
enum class FileFault {
  kNone,
  kReadOnly,        // the file itself is marked read-only
  kAccessDenied,    // no right to write in the folder
  kReadOnlyMedium,  // the disk or share is mounted read-only
  kDiskFull,
  kNoFolder,
  kIsFolder,  // the name belongs to a folder
  kNameTooLong,
  kOther,
};

struct SaveResult {
  bool ok = false;
  std::string error;  // in English, for the command line; empty on success
  FileFault fault = FileFault::kNone;
  std::string path;  // the file the fault concerns
};

// Writes `bytes` to a temporary file of its own beside `path` and renames it
// over `path`; a link is followed and the file it leads to replaced. The old
// file stays as it was on any failure, a file marked read-only is never
// replaced, and temporary files left beside `path` by an interrupted save are
// removed first.
SaveResult ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes);

// The message the program shows for a failed save, in Russian.
std::string SaveFailureText(const SaveResult& result);

// What a temporary file beside `path` is named, up to its unique end.
std::filesystem::path TemporaryPrefix(const std::filesystem::path& path);

}  // namespace zelmora
