#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <utility>

namespace platform::files {
namespace {

// A replacement's temporary file: ".tovu.ini.<random>.tmp" beside the file.
constexpr char kTemporarySuffix[] = ".tmp";
// A temporary file this old whose writer holds no lock on it is a leftover.
constexpr std::time_t kLeftoverSeconds = 10;

// Descriptions are one line without a comma: a failed list reads as one element.
std::string Describe(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return "File not found";
    case EACCES:
    case EPERM: return "Permission denied";
    default: return "Path/File access error";
  }
}

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string RandomName() {
  std::array<unsigned char, 6> random{};
  if (::getrandom(random.data(), random.size(), 0) != static_cast<ssize_t>(random.size())) {
    // Never the same twice in one process, and unlike another process's.
    static unsigned counter = 0;
    const auto mix = static_cast<unsigned long>(::getpid()) * 2654435761u ^ ++counter ^
                     static_cast<unsigned long>(std::time(nullptr));
    for (std::size_t i = 0; i < random.size(); ++i) random[i] = static_cast<unsigned char>(mix >> (8 * i));
  }
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string name;
  for (unsigned char c : random) name += kDigits[c % 36];
  return name;
}

// The folder (with its "/") and the name of the file a replacement of path
// writes: what a link points at, not the link.
std::pair<std::string, std::string> Target(const std::string& path) {
  std::string target = path;
  if (char* resolved = ::realpath(path.c_str(), nullptr)) {
    target = resolved;
    std::free(resolved);
  }
  const std::size_t slash = target.rfind('/');
  if (slash == std::string::npos) return {"./", target};
  return {target.substr(0, slash + 1), target.substr(slash + 1)};
}

// Creates folder/.name.<random>.tmp, locked as a live writer's; -1 on failure.
int CreateTemporary(const std::string& folder, const std::string& name, std::string& temporary) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = folder + "." + name + "." + RandomName() + kTemporarySuffix;
    // A new file gets the usual permissions less the umask.
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd >= 0) {
      ::flock(fd, LOCK_EX);
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

// The old file's extended attributes, its access list among them, go with the new one
// where the file system keeps them; one that cannot be set (a label only the system may
// give) stays behind rather than failing the save.
void CopyExtendedAttributes(const std::string& from, int to) {
  const ssize_t listed = ::listxattr(from.c_str(), nullptr, 0);
  if (listed <= 0) return;
  std::string names(static_cast<std::size_t>(listed), '\0'), value;
  const ssize_t got = ::listxattr(from.c_str(), names.data(), names.size());
  if (got <= 0) return;  // changed meanwhile: the new file keeps its own
  names.resize(static_cast<std::size_t>(got));
  for (std::size_t at = 0, end; (end = names.find('\0', at)) != std::string::npos; at = end + 1) {
    const std::string name = names.substr(at, end - at);
    const ssize_t size = ::getxattr(from.c_str(), name.c_str(), nullptr, 0);
    value.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    const ssize_t read = ::getxattr(from.c_str(), name.c_str(), value.data(), value.size());
    if (read >= 0) (void)::fsetxattr(to, name.c_str(), value.data(), static_cast<std::size_t>(read), 0);
  }
}

}  // namespace

std::optional<std::string> Read(const std::string& path, std::string* why) {
  // Opened without blocking, so that a FIFO at the path cannot hang the program.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  int error = errno;
  std::optional<std::string> bytes;
  if (fd >= 0) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    } else {
      bytes.emplace();
      bytes->reserve(static_cast<std::size_t>(st.st_size));
      std::array<char, 65536> buffer;
      for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n > 0) {
          bytes->append(buffer.data(), static_cast<std::size_t>(n));
        } else if (n == 0) {
          break;
        } else if (errno != EINTR) {
          error = errno;
          bytes.reset();
          break;
        }
      }
    }
    ::close(fd);
  }
  if (!bytes && why) *why = Describe(error);
  return bytes;
}

// Temporary files of earlier replacements whose writer is gone (killed between
// writing and renaming). A live writer holds a lock on its own until the
// rename; its file is never touched.
void RemoveLeftovers(const std::string& path) {
  const auto [folder, name] = Target(path);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const std::string prefix = "." + name + ".";
  const std::string suffix = kTemporarySuffix;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string found = entry->d_name;
    if (found.size() <= prefix.size() + suffix.size() || !found.starts_with(prefix) || !found.ends_with(suffix)) {
      continue;
    }
    const std::string leftover = folder + found;
    const int fd = ::open(leftover.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && std::time(nullptr) - st.st_mtime >= kLeftoverSeconds &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlink(leftover.c_str());
    }
    ::close(fd);
  }
  ::closedir(dir);
}

bool CanCreateBeside(const std::string& path) {
  const auto [folder, name] = Target(path);
  // An append-only or immutable folder would keep every file made there, probes and
  // temporary files alike, and never take a renamed one: it takes no settings.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  int flags = 0;
  const bool fixed =
      dir >= 0 && ::ioctl(dir, FS_IOC_GETFLAGS, &flags) == 0 && (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL));
  if (dir >= 0) ::close(dir);
  std::string probe;
  const int fd = fixed ? -1 : CreateTemporary(folder, name, probe);
  if (fd < 0) return false;
  const bool removed = ::unlink(probe.c_str()) == 0;
  ::close(fd);
  return removed;
}

Replaceable CanReplace(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    // access() grants root everything; a file nobody may write stays read-only for it too.
    const bool writable = ::access(path.c_str(), R_OK | W_OK) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH));
    return S_ISREG(st.st_mode) && writable ? Replaceable::kYes : Replaceable::kNo;
  }
  // A link to nothing: what it meant to name is unknown.
  return ::lstat(path.c_str(), &st) == 0 ? Replaceable::kNo : Replaceable::kNew;
}

bool Replace(const std::string& path, const std::string& bytes) {
  const auto [folder, name] = Target(path);
  const std::string target = folder + name;
  struct stat st {};
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) return false;

  std::string temporary;
  const int fd = CreateTemporary(folder, name, temporary);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  if (ok && exists) {
    // Keep the owner (a copy run as root must not take the user's file); where
    // that is not allowed, the writer owns the file and can write it again.
    if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) (void)::fchown(fd, st.st_uid, st.st_gid);
    ok = ::fchmod(fd, st.st_mode & 07777) == 0;
    if (ok) CopyExtendedAttributes(target, fd);
  }
  if (ok) ok = ::fsync(fd) == 0;
  // Renamed while still locked, so that no cleanup takes it for a leftover.
  if (ok) ok = ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  if (::close(fd) != 0) ok = false;
  if (ok) {
    // The rename itself reaches the disk with the folder.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
      (void)::fsync(dir);
      ::close(dir);
    }
  }
  return ok;
}

bool MakeFolders(const std::string& folder) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const std::size_t slash = folder.size() < 2 ? std::string::npos : folder.rfind('/', folder.size() - 2);
  if (errno != ENOENT || slash == std::string::npos ||
      !MakeFolders(folder.substr(0, std::max<std::size_t>(slash, 1)))) {
    return false;
  }
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace platform::files
