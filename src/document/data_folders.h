#pragma once

#include <filesystem>
#include <string>

// Where the program keeps what the user writes: the macro list and the
// Saves/ and Macros/ folders the file dialogs start in. Run from a folder the
// user may write (a build, a copy on a memory stick) that is the program
// folder itself; installed, the program folder belongs to the system and the
// user's own data folder takes its place.
namespace zelmora {

inline constexpr const char* kSavesFolderName = "Saves";
inline constexpr const char* kMacrosFolderName = "Macros";

struct DataFolders {
  std::filesystem::path program;  // the executable's folder: tables, help, examples
  std::filesystem::path user;     // macro list, Saves/, Macros/
  // Set when the user's folder could not be prepared: the program folder is
  // used as before, and this says why.
  std::string problem;
};

// Whether a file can be created in `folder` (tried, not guessed from the
// permission bits, which say nothing about read-only mounts or ACLs).
bool FolderWritable(const std::filesystem::path& folder);

// Writable program folder: everything stays there. Otherwise `perUserFolder`
// becomes the user's folder; on its first use it is created, given a copy
// of the program folder's macro list, and Saves/ and Macros/ with copies of
// the shipped examples. What the user already has is never overwritten.
DataFolders ChooseDataFolders(const std::filesystem::path& programFolder,
                              const std::filesystem::path& perUserFolder,
                              bool programFolderWritable);

}  // namespace zelmora
