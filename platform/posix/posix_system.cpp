#include "platform/posix/posix_system.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>

#include "platform/files.h"
#include "platform/shared/text.h"

extern char** environ;

namespace platform {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += ' ';
    // Each argument quoted, as a Windows program reads its arguments back:
    // backslashes before a quote doubled, the quote itself as \".
    line += '"';
    std::size_t backslashes = 0;
    for (char c : argument) {
      if (c == '\\') {
        ++backslashes;
      } else {
        if (c == '"') line.append(backslashes + 1, '\\');
        backslashes = 0;
      }
      line += c;
    }
    line.append(backslashes, '\\');
    line += '"';
  }
  return line;
}

namespace {

// Quoted arguments as a Windows program reads them: 2n backslashes and a quote
// are n backslashes and a quote that opens or closes; 2n + 1 are n and a quote
// that belongs to the argument.
std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  for (;;) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i == text.size()) return arguments;
    std::string argument;
    bool quoted = false;
    for (; i < text.size() && (quoted || !IsBlank(text[i])); ++i) {
      std::size_t backslashes = 0;
      while (i < text.size() && text[i] == '\\') ++backslashes, ++i;
      if (i < text.size() && text[i] == '"') {
        argument.append(backslashes / 2, '\\');
        if (backslashes % 2)
          argument += '"';
        else
          quoted = !quoted;
      } else {
        argument.append(backslashes, '\\');
        if (i == text.size() || (!quoted && IsBlank(text[i]))) break;
        argument += text[i];
      }
    }
    arguments.push_back(std::move(argument));
  }
}

}  // namespace

Launch ParseCommandLine(const std::string& commandLine) {
  Launch launch;
  const std::string_view line = TrimLeft(commandLine);
  const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
  launch.program = line.substr(0, end);
  const std::string_view rest = TrimLeft(line.substr(end));
  // The program's own command line comes quoted (JoinCommandLine); a path from
  // the open dialog comes as it is, and is one argument whatever it holds.
  if (rest.starts_with('"')) {
    launch.files = SplitArguments(rest);
  } else if (!rest.empty()) {
    launch.files.emplace_back(rest);
  }
  return launch;
}

std::vector<std::string> FileArguments(const Launch& launch) {
  std::vector<std::string> files = launch.files;
  for (std::string& file : files) {
    if (file.starts_with('-')) file.insert(0, "./");
  }
  return files;
}

namespace {

// The first executable file of that name in the folders of the search path.
std::optional<std::string> FindOnPath(const std::string& name, const std::string& searchPath) {
  std::size_t start = 0;
  while (start <= searchPath.size()) {
    std::size_t end = searchPath.find(':', start);
    if (end == std::string::npos) end = searchPath.size();
    const std::string folder = searchPath.substr(start, end - start);
    // An empty entry would mean the current folder; a launcher should not run
    // whatever lies there.
    if (!folder.empty()) {
      const std::string path = folder + "/" + name;
      if (IsExecutableFile(path)) return path;
    }
    start = end + 1;
  }
  return std::nullopt;
}

}  // namespace

std::string Resolved(const std::string& path) {
  std::string at;  // resolved so far, without a trailing "/"
  bool exists = true;
  for (std::size_t start = 0, end; start < path.size(); start = end + 1) {
    end = std::min(path.find('/', start), path.size());
    const std::string_view part = std::string_view(path).substr(start, end - start);
    if (part.empty() || part == ".") continue;
    if (part != "..") {
      at += "/" + std::string(part);
      struct stat st {};
      exists = exists && ::stat(at.c_str(), &st) == 0;
    } else if (char* parent = exists ? ::realpath((at + "/..").c_str(), nullptr) : nullptr) {
      // What exists has the parent the system gives it (a link's target's); what does not, its text's.
      at = std::string_view(parent) == "/" ? "" : parent;
      std::free(parent);
    } else {
      at.erase(std::min(at.rfind('/'), at.size()));
      struct stat st {};
      exists = at.empty() || ::stat(at.c_str(), &st) == 0;
    }
  }
  return at.empty() ? "/" : at;
}

std::optional<std::string> FindProgram(const std::string& name, const std::string& searchPath) {
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string::npos) {
    if (IsExecutableFile(name)) return name;
    return std::nullopt;
  }
  std::vector<std::string> candidates{name};
  if (name == "Notepad") {
    candidates = {"Notepad", "notepad", "gnome-text-editor", "gedit", "kate",   "kwrite", "mousepad",
                  "pluma",   "xed",     "featherpad",        "geany", "leafpad"};
  }
  for (const std::string& candidate : candidates) {
    if (auto path = FindOnPath(candidate, searchPath)) return path;
  }
  return std::nullopt;
}

PosixSystem::PosixSystem(std::vector<std::string> arguments, std::optional<std::string> folder,
                         const std::string& startedAs)
    : SystemBase(JoinCommandLine(arguments), std::move(folder)) {
  // Made absolute now, before anything changes the current folder: a name with a "/"
  // from here, a bare name from the search path, as the shell found it.
  std::optional<std::string> path = startedAs;
  if (startedAs.find('/') == std::string::npos) {
    const char* searchPath = std::getenv("PATH");
    path = startedAs.empty() ? std::nullopt : FindOnPath(startedAs, searchPath ? searchPath : "");
  }
  if (char* resolved = path ? ::realpath(path->c_str(), nullptr) : nullptr) {
    startedAs_ = resolved;
    std::free(resolved);
  }
}

std::string PosixSystem::ProgramFolder() const {
  if (Folder()) return *Folder();
  // The running executable, or where /proc cannot tell (not mounted, a path too long for
  // it) the program as started; never the current folder.
  std::string exe = startedAs_;
  std::array<char, PATH_MAX> buffer{};
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n > 0 && n < static_cast<ssize_t>(buffer.size())) exe.assign(buffer.data(), static_cast<std::size_t>(n));
  const std::size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return "";
  return slash == 0 ? "/" : exe.substr(0, slash);
}

bool PosixSystem::Shell(const std::string& commandLine, int /*windowStyle*/) {
  const Launch launch = ParseCommandLine(commandLine);
  const char* searchPath = std::getenv("PATH");
  const std::optional<std::string> program =
      FindProgram(launch.program, searchPath ? searchPath : "/usr/local/bin:/usr/bin:/bin");
  if (!program) return false;

  // No shell: each file goes to the program as one argument, whatever it holds.
  std::vector<std::string> arguments{launch.program};
  for (std::string& file : FileArguments(launch)) arguments.push_back(std::move(file));
  return StartDetached(*program, std::move(arguments));
}

bool StartDetached(const std::string& program, std::vector<std::string> arguments, int input, int watch) {
  // Started programs are never waited for; the kernel reaps them.
  static const bool reaping = [] {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    action.sa_flags = SA_NOCLDWAIT;
    return ::sigaction(SIGCHLD, &action, nullptr) == 0;
  }();
  (void)reaping;

  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  if (input >= 0) {
    posix_spawn_file_actions_adddup2(&files, input, STDIN_FILENO);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
    if (watch >= 0) posix_spawn_file_actions_adddup2(&files, watch, 3);
  }
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults, none;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGCHLD);
  sigaddset(&defaults, SIGPIPE);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setsigmask(&attributes, &none);
  // Its own session: the program outlives Tovu and its terminal.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  const int result = ::posix_spawn(&pid, program.c_str(), &files, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&files);
  return result == 0;
}

// $XDG_CONFIG_HOME/tovu, or ~/.config/tovu; a relative XDG_CONFIG_HOME counts as unset.
std::string PosixSystem::UserSettingsFolder() const {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return Resolved(std::string(config) + "/tovu");
  const char* home = std::getenv("HOME");
  if (!home || home[0] != '/') {
    const passwd* user = ::getpwuid(::getuid());
    home = user ? user->pw_dir : nullptr;
  }
  return home && home[0] == '/' ? Resolved(std::string(home) + "/.config/tovu") : "";
}

bool PosixSystem::MakeUserSettingsFolder() {
  const std::string folder = UserSettingsFolder();
  return !folder.empty() && files::MakeFolders(folder);
}

bool PosixSystem::FileExists(const std::string& path) const {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

}  // namespace platform
