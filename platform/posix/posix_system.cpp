#include "platform/posix/posix_system.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/profile.h"
#include "platform/textfile.h"

extern char** environ;

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads a whole ordinary file; errno-style code in error on failure. Opened
// without blocking so that a FIFO at the path cannot hang the program.
std::optional<std::string> ReadFile(const std::string& path, int& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    error = errno;
    return std::nullopt;
  }
  std::optional<std::string> bytes;
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
  return bytes;
}

// Descriptions are one line without a comma: a failed list reads as one element.
std::string Describe(int error) {
  switch (error) {
    case ENOENT: case ENOTDIR: return "File not found";
    case EACCES: case EPERM: return "Permission denied";
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

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += ' ';
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
      line += argument;
      continue;
    }
    line += '"';
    for (char c : argument) {
      if (c == '"') line += '\\';
      line += c;
    }
    line += '"';
  }
  return line;
}

Launch ParseCommandLine(const std::string& commandLine) {
  Launch launch;
  std::size_t i = 0;
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  const std::size_t nameStart = i;
  while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
  launch.program = commandLine.substr(nameStart, i - nameStart);
  while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
  std::string rest = commandLine.substr(i);
  // Notepad reads the rest of its command line as one path: quoted up to the
  // next quote, otherwise all of it but trailing blanks.
  if (!rest.empty() && rest[0] == '"') {
    const std::size_t close = rest.find('"', 1);
    rest = rest.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  } else {
    while (!rest.empty() && IsBlank(rest.back())) rest.pop_back();
  }
  if (!rest.empty()) launch.file = rest;
  return launch;
}

std::optional<std::string> FindProgram(const std::string& name, const std::string& searchPath) {
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string::npos) {
    if (IsExecutableFile(name)) return name;
    return std::nullopt;
  }
  std::vector<std::string> candidates{name};
  if (name == "Notepad") {
    candidates = {"Notepad", "notepad", "gnome-text-editor", "gedit", "kate", "kwrite",
                  "mousepad", "pluma", "xed", "featherpad", "geany", "leafpad"};
  }
  for (const std::string& candidate : candidates) {
    std::size_t start = 0;
    while (start <= searchPath.size()) {
      std::size_t end = searchPath.find(':', start);
      if (end == std::string::npos) end = searchPath.size();
      const std::string folder = searchPath.substr(start, end - start);
      // An empty entry would mean the current folder; a launcher should not run
      // whatever lies there.
      if (!folder.empty()) {
        const std::string path = folder + "/" + candidate;
        if (IsExecutableFile(path)) return path;
      }
      start = end + 1;
    }
  }
  return std::nullopt;
}

PosixSystem::PosixSystem(std::vector<std::string> arguments)
    : commandLine_(JoinCommandLine(arguments)) {}

PosixSystem::~PosixSystem() { Flush(); }

std::string PosixSystem::ProgramFolder() const {
  std::array<char, PATH_MAX> buffer{};
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return ".";
  std::string exe(buffer.data(), static_cast<std::size_t>(n));
  const std::size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : exe.substr(0, slash);
}

bool PosixSystem::Shell(const std::string& commandLine, int /*windowStyle*/) {
  const Launch launch = ParseCommandLine(commandLine);
  const char* searchPath = std::getenv("PATH");
  const std::optional<std::string> program =
      FindProgram(launch.program, searchPath ? searchPath : "/usr/local/bin:/usr/bin:/bin");
  if (!program) return false;

  // Started programs are never waited for; the kernel reaps them.
  static const bool reaping = [] {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    action.sa_flags = SA_NOCLDWAIT;
    return ::sigaction(SIGCHLD, &action, nullptr) == 0;
  }();
  (void)reaping;

  // No shell: the file goes to the program as one argument, whatever it holds.
  std::vector<char*> argv{const_cast<char*>(launch.program.c_str())};
  if (launch.file) argv.push_back(const_cast<char*>(launch.file->c_str()));
  argv.push_back(nullptr);

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults, none;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGCHLD);
  sigaddset(&defaults, SIGPIPE);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setsigmask(&attributes, &none);
  // Its own session: the editor outlives the program and its terminal.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  const int result = ::posix_spawn(&pid, program->c_str(), nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  return result == 0;
}

bool PosixSystem::FileExists(const std::string& path) const {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

TextLines PosixSystem::ReadTextLines(const std::string& path) const {
  int error = 0;
  const std::optional<std::string> bytes = ReadFile(path, error);
  if (!bytes) return {{}, Describe(error)};
  return SplitTextLines(*bytes);
}

std::optional<std::string> PosixSystem::Current(const std::string& path) {
  if (pending_ && pending_->path == path) return pending_->bytes;
  return ReadWholeFile(path);
}

std::string PosixSystem::GetPrivateProfileString(const std::string& section, const std::string& key,
                                                 const std::string& defaultValue, std::size_t size,
                                                 const std::string& path) {
  return profile::Get(Current(path), section, key, size).value_or(defaultValue);
}

void PosixSystem::WritePrivateProfileString(const std::string& section, const std::string& key,
                                            const std::optional<std::string>& value,
                                            const std::string& path) {
  if (!pending_ || pending_->path != path) {
    Flush();
    Pending next;
    next.path = path;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
      // A folder, a FIFO, or a file that cannot be read back is never overwritten.
      next.bytes = ReadWholeFile(path);
      next.writable = next.bytes.has_value() && ::access(path.c_str(), W_OK) == 0 &&
                      (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    } else if (::lstat(path.c_str(), &st) == 0) {
      next.writable = false;  // a link to nothing: what it meant to name is unknown
    }
    pending_ = std::move(next);
  }
  if (!pending_->writable) return;
  if (std::optional<std::string> changed = profile::Put(pending_->bytes, section, key, value)) {
    pending_->bytes = std::move(changed);
    pending_->dirty = true;
  }
}

bool PosixSystem::Flush() {
  if (!pending_) return true;
  const Pending done = std::move(*pending_);
  pending_.reset();
  if (!done.dirty) return true;
  return ReplaceFileAtomically(done.path, *done.bytes);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  int error = 0;
  return ReadFile(path, error);
}

bool ReplaceFileAtomically(const std::string& path, const std::string& bytes) {
  // Replace what a link points at, not the link.
  std::string target = path;
  if (char* resolved = ::realpath(path.c_str(), nullptr)) {
    target = resolved;
    std::free(resolved);
  }
  struct stat st {};
  const bool exists = ::stat(target.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) return false;

  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  static std::atomic<unsigned> counter{0};
  const std::string temporary =
      folder + "." + name + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";

  // A new file gets the usual permissions less the umask; an old one keeps its own.
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  if (ok && exists) ok = ::fchmod(fd, st.st_mode & 07777) == 0;
  if (ok) ok = ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

}  // namespace platform
