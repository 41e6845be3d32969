#include "document/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <random>
#include <system_error>

namespace zelmora {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporaryMark = ".saving-";

FileFault FaultOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return FileFault::kAccessDenied;
    case EROFS:
      return FileFault::kReadOnlyMedium;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return FileFault::kDiskFull;
    case ENOENT:
    case ENOTDIR:
      return FileFault::kNoFolder;
    case EISDIR:
      return FileFault::kIsFolder;
    case ENAMETOOLONG:
      return FileFault::kNameTooLong;
    default:
      return FileFault::kOther;
  }
}

SaveResult Failed(const fs::path& path, const std::string& what, int error) {
  return {false,
          "cannot " + what + " " + path.string() + ": " +
              std::error_code(error, std::generic_category()).message(),
          FaultOf(error), path.string()};
}

// Temporary files of earlier saves that a crash or a kill left behind. A
// save in progress elsewhere loses its file and fails; nothing is lost.
void RemoveStaleTemporaries(const fs::path& target) {
  const std::string prefix = TemporaryPrefix(target).filename().string();
  std::error_code ec;
  fs::directory_iterator entries(target.parent_path().empty() ? "." : target.parent_path(), ec);
  for (; !ec && entries != fs::directory_iterator(); entries.increment(ec)) {
    const fs::directory_entry& entry = *entries;
    std::error_code ignored;
    if (entry.path().filename().string().starts_with(prefix) && entry.is_regular_file(ignored) &&
        !entry.is_symlink(ignored)) {
      fs::remove(entry.path(), ignored);
    }
  }
}

// A new file beside `target` under a name no one else uses; -1 with errno
// set when the folder takes no new file.
int CreateTemporary(const fs::path& target, fs::path& created) {
  static thread_local std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
    created = TemporaryPrefix(target);
    created += suffix;
    const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// 0 on success, otherwise the errno of the first failure; the file is
// closed either way.
int WriteWhole(int fd, std::string_view bytes, mode_t mode, bool keepMode) {
  int error = 0;
  while (!bytes.empty() && error == 0) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno != EINTR) error = errno;
    } else {
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
  }
  if (error == 0 && keepMode && ::fchmod(fd, mode) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

bool MarkedReadOnly(const fs::path& target, const struct stat& status) {
  // Nobody may write, or not this user: either way the owner meant to keep
  // the file as it is, and replacing it by a rename would ignore that.
  return (status.st_mode & 0222) == 0 || (::access(target.c_str(), W_OK) != 0 && errno == EACCES);
}

}  // namespace

fs::path TemporaryPrefix(const fs::path& path) {
  fs::path prefix = path;
  prefix += kTemporaryMark;
  return prefix;
}

SaveResult ReplaceFileContents(const fs::path& path, std::string_view bytes) {
  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(path, ec)) {
    const auto resolved = fs::weakly_canonical(path, ec);
    if (!ec) target = resolved;
  }
  struct stat status {};
  const bool exists = ::stat(target.c_str(), &status) == 0;
  if (exists && S_ISDIR(status.st_mode)) return Failed(target, "replace", EISDIR);
  if (exists && S_ISREG(status.st_mode) && MarkedReadOnly(target, status)) {
    return {false, "cannot replace " + target.string() + ": the file is read-only",
            FileFault::kReadOnly, target.string()};
  }
  RemoveStaleTemporaries(target);
  fs::path temporary;
  const int fd = CreateTemporary(target, temporary);
  if (fd < 0) return Failed(target, "create a file beside", errno);
  const bool keepMode = exists && S_ISREG(status.st_mode);
  if (const int error = WriteWhole(fd, bytes, status.st_mode & 07777, keepMode); error != 0) {
    fs::remove(temporary, ec);
    return Failed(target, "write", error);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const SaveResult failed = Failed(target, "replace", errno);
    fs::remove(temporary, ec);
    return failed;
  }
  return {true, {}, FileFault::kNone, target.string()};
}

std::string SaveFailureText(const SaveResult& result) {
  const std::string& path = result.path;
  switch (result.fault) {
    case FileFault::kNone:
      return {};
    case FileFault::kReadOnly:
      return "Файл доступен только для чтения: " + path;
    case FileFault::kAccessDenied:
      return "Файл не сохранен: нет прав на запись в папку файла " + path;
    case FileFault::kReadOnlyMedium:
      return "Файл не сохранен: диск доступен только для чтения: " + path;
    case FileFault::kDiskFull:
      return "Файл не сохранен: на диске не хватает места: " + path;
    case FileFault::kNoFolder:
      return "Файл не сохранен: нет папки для файла " + path;
    case FileFault::kIsFolder:
      return "Файл не сохранен: это имя занято папкой: " + path;
    case FileFault::kNameTooLong:
      return "Файл не сохранен: слишком длинное имя: " + path;
    case FileFault::kOther:
      break;
  }
  return "Файл не сохранен: ошибка записи: " + path;
}

}  // namespace zelmora
