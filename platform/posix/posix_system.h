// The operating-system half of the Linux back end: program folder, command line,
// starting programs, text and profile files. Plain POSIX.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/shared/system_base.h"

namespace platform {

// The program's arguments as one command line, as Windows would pass them:
// each in double quotes, joined by one blank, so that ParseCommandLine gives
// them back byte for byte.
std::string JoinCommandLine(const std::vector<std::string>& arguments);

// What a command line starts: the program named by its first word, and its
// files: the quoted arguments of a joined command line, or else the whole rest
// as one path (as the open dialog's path comes, blanks and quotes and all).
struct Launch {
  std::string program;
  std::vector<std::string> files;
};
Launch ParseCommandLine(const std::string& commandLine);

// What the started program receives after its name: the files, each as one
// argument and never as an option ("-x" goes as "./-x").
std::vector<std::string> FileArguments(const Launch& launch);

// The executable that answers to a program name: the name on the search path;
// for "Notepad", also "notepad" and the common plain-text editors, in order.
std::optional<std::string> FindProgram(const std::string& name, const std::string& searchPath);

// An absolute path with its "." and ".." taken away, as the system would follow it: a ".."
// after a folder that does not exist takes that folder's name away, so that making the
// path makes no folder it does not end in.
std::string Resolved(const std::string& path);

// Starts program with arguments (its name first), no shell, in a session of its own, never
// waited for. With input it reads that, its output goes nowhere, and it gets watch as
// descriptor 3 (when given: the read end of a pipe whose other end the caller holds).
bool StartDetached(const std::string& program, std::vector<std::string> arguments, int input = -1, int watch = -1);

class PosixSystem final : public SystemBase {
 public:
  // arguments: what followed the program's name when it was started. folder:
  // the program folder to report, when not the executable's own. startedAs: the
  // program's name as started (argv[0]), for a system where /proc cannot tell.
  explicit PosixSystem(std::vector<std::string> arguments, std::optional<std::string> folder = std::nullopt,
                       const std::string& startedAs = {});

  std::string ProgramFolder() const override;
  char PathSeparator() const override { return '/'; }
  bool Shell(const std::string& commandLine, int windowStyle) override;
  bool FileExists(const std::string& path) const override;
  std::string UserSettingsFolder() const override;
  bool MakeUserSettingsFolder() override;

 private:
  std::string startedAs_;  // the executable's absolute path as started, or ""
};

}  // namespace platform
