// The operating-system half of the Linux back end: program folder, command line,
// starting programs, text and profile files. Plain POSIX; the window-system
// operations (stacking, ending) come from the toolkit back end.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/system.h"

namespace platform {

// The command line as a Windows shell would pass it: arguments joined by one
// blank, one holding a blank, a tab or a double quote (or empty) wrapped in
// double quotes with inner quotes written \".
std::string JoinCommandLine(const std::vector<std::string>& arguments);

// What a command line starts: the program named by its first word and at most
// one file argument, read from the rest as Notepad reads it.
struct Launch {
  std::string program;
  std::optional<std::string> file;
};
Launch ParseCommandLine(const std::string& commandLine);

// The executable that answers to a program name: the name on the search path;
// for "Notepad", also "notepad" and the common plain-text editors, in order.
std::optional<std::string> FindProgram(const std::string& name, const std::string& searchPath);

class PosixSystem : public System {
 public:
  // arguments: what followed the program's name when it was started.
  explicit PosixSystem(std::vector<std::string> arguments);
  ~PosixSystem() override;
  PosixSystem(const PosixSystem&) = delete;
  PosixSystem& operator=(const PosixSystem&) = delete;

  std::string ProgramFolder() const override;
  char PathSeparator() const override { return '/'; }
  std::string CommandLine() const override { return commandLine_; }
  bool Shell(const std::string& commandLine, int windowStyle) override;
  bool FileExists(const std::string& path) const override;
  TextLines ReadTextLines(const std::string& path) const override;
  std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, std::size_t size,
                                      const std::string& path) override;
  void WritePrivateProfileString(const std::string& section, const std::string& key,
                                 const std::optional<std::string>& value,
                                 const std::string& path) override;

  // Writes held back for one file replace it in one step: the writes at exit
  // cost one replacement, not ten. False when the file could not be replaced.
  bool Flush();

 private:
  // The file's bytes as the next read must see them; nullopt when there is none.
  std::optional<std::string> Current(const std::string& path);

  std::string commandLine_;
  struct Pending {
    std::string path;
    std::optional<std::string> bytes;  // the file as written so far
    bool writable = true;              // false: every write to it fails
    bool dirty = false;
  };
  std::optional<Pending> pending_;
};

// Replaces the file at path with bytes in one step (temporary file in the same
// folder, flushed, renamed over), keeping its permissions; a reader sees the old
// file or the new one, never a part. False, with the file unchanged, on failure.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes);

// The file's bytes; nullopt when it is missing or not an ordinary readable file.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace platform
