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

inline constexpr const char* kDocumentsSubfolderName = "Zelmora";

struct DataFolders {
  std::filesystem::path program;   // the executable's folder: tables, help, examples
  std::filesystem::path user;      // macro list, Macros/
  std::filesystem::path drawings;  // where Open and Save start: Saves/ of `user`, or documents
  // Set when the user's folder could not be prepared: the program folder is
  // used as before, and this says why.
  std::string problem;
};

// Whether a file can be created in `folder` (tried, not guessed from the
// permission bits, which say nothing about read-only mounts or ACLs).
bool FolderWritable(const std::filesystem::path& folder);

// Whether the program folder belongs to an installation: it lies under a
// system prefix (/usr, /opt, ...) or is the <prefix>/lib/zelmora of an
// installation elsewhere. Such a folder is never the program's to write,
// even for root, who may write anywhere: files put there belong to no
// package and outlive the program's removal.
bool InstalledProgramFolder(const std::filesystem::path& programFolder);

// Whether the program keeps what the user writes in its own folder: a copy
// run from a writable folder of its own (a build, a memory stick).
bool ProgramFolderIsOwn(const std::filesystem::path& programFolder);

// Program folder of its own: everything stays there. Otherwise
// `perUserFolder` becomes the user's folder; on its first use it is created,
// given a copy of the program folder's macro list and Macros/ with copies of
// the shipped macros. Drawings go to a visible folder that a pupil finds and
// hands in, "Zelmora" in `documentsFolder`, seeded with the example drawings
// (Saves/ of the user's folder when no documents folder is known). What the
// user already has is never overwritten.
DataFolders ChooseDataFolders(const std::filesystem::path& programFolder,
                              const std::filesystem::path& perUserFolder, bool programFolderIsOwn,
                              const std::filesystem::path& documentsFolder = {});

}  // namespace zelmora
