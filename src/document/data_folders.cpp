#include "document/data_folders.h"

#include <cctype>
#include <fstream>
#include <system_error>

#include "document/macro_list.h"

namespace zelmora {
namespace fs = std::filesystem;

namespace {

// The shipped folder as it is spelt on disk: older copies used lower case.
fs::path ShippedSubfolder(const fs::path& programFolder, const std::string& name) {
  std::error_code error;
  if (fs::is_directory(programFolder / name, error)) return programFolder / name;
  for (const fs::directory_entry& entry : fs::directory_iterator(programFolder, error)) {
    std::string entryName = entry.path().filename().string();
    if (entryName.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i) {
      same = std::tolower(static_cast<unsigned char>(entryName[i])) ==
             std::tolower(static_cast<unsigned char>(name[i]));
    }
    if (same && entry.is_directory(error)) return entry.path();
  }
  return {};
}

// Creates `target` with copies of the files of `shipped`; a folder the user
// already has is left alone, even if they emptied it on purpose.
bool SeedFolder(const fs::path& shipped, const fs::path& target, std::string& problem) {
  std::error_code error;
  if (fs::exists(target, error)) return true;
  if (!fs::create_directories(target, error)) {
    problem = "cannot create " + target.string() + ": " + error.message();
    return false;
  }
  if (shipped.empty()) return true;
  for (const fs::directory_entry& entry : fs::directory_iterator(shipped, error)) {
    if (!entry.is_regular_file(error)) continue;
    // One unreadable example does not keep the others, or the program, back.
    fs::copy_file(entry.path(), target / entry.path().filename(), error);
  }
  return true;
}

}  // namespace

bool FolderWritable(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return false;
  const fs::path probe = folder / ".zelmora-write-probe";
  bool created = false;
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    created = static_cast<bool>(out);
  }
  if (created) fs::remove(probe, error);
  return created;
}

bool InstalledProgramFolder(const fs::path& programFolder) {
  std::error_code error;
  fs::path folder = fs::weakly_canonical(programFolder, error);
  if (error) folder = programFolder;
  folder = folder.lexically_normal();
  if (folder.filename().empty()) folder = folder.parent_path();  // a trailing separator
  const fs::path relative = folder.relative_path();
  for (const char* prefix : {"usr", "opt", "bin", "sbin", "lib", "lib64", "snap"}) {
    if (!relative.empty() && *relative.begin() == prefix) return true;
  }
  return folder.filename() == "zelmora" && folder.parent_path().filename() == "lib";
}

bool ProgramFolderIsOwn(const fs::path& programFolder) {
  return !InstalledProgramFolder(programFolder) && FolderWritable(programFolder);
}

DataFolders ChooseDataFolders(const fs::path& programFolder, const fs::path& perUserFolder,
                              bool programFolderIsOwn, const fs::path& documentsFolder) {
  DataFolders folders{programFolder, programFolder, programFolder / kSavesFolderName, {}};
  if (programFolderIsOwn) return folders;
  if (perUserFolder.empty()) {
    folders.problem = "no folder for the user's data is known";
    return folders;
  }
  const fs::path drawings = documentsFolder.empty() ? perUserFolder / kSavesFolderName
                                                    : documentsFolder / kDocumentsSubfolderName;
  std::string problem;
  bool ready = SeedFolder({}, perUserFolder, problem) &&
               SeedFolder(ShippedSubfolder(programFolder, kMacrosFolderName),
                          perUserFolder / kMacrosFolderName, problem) &&
               SeedFolder(ShippedSubfolder(programFolder, kSavesFolderName), drawings, problem);
  if (!ready) {
    folders.problem = problem;
    return folders;
  }
  std::error_code error;
  const fs::path shippedList = programFolder / kMacroListFile;
  const fs::path userList = perUserFolder / kMacroListFile;
  if (!fs::exists(userList, error) && fs::exists(shippedList, error)) {
    fs::copy_file(shippedList, userList, error);
  }
  folders.user = perUserFolder;
  folders.drawings = drawings;
  return folders;
}

}  // namespace zelmora
