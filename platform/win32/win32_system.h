// The operating-system half of the Windows back end: program folder, command
// line, starting programs, text and profile files, in the wide-character API.
#pragma once

#include <optional>
#include <string>

#include "platform/profile_files.h"
#include "platform/system.h"

namespace platform {

// What follows the program's name on a Windows command line, unchanged: the
// name is quoted up to the next quote, or runs to the first blank.
std::string CommandLineArguments(const std::string& commandLine);

class Win32System final : public System {
 public:
  // folder: the program folder to report, when not the executable's own.
  explicit Win32System(std::optional<std::string> folder = std::nullopt);

  std::string ProgramFolder() const override;
  char PathSeparator() const override { return '\\'; }
  std::string CommandLine() const override { return commandLine_; }
  bool Shell(const std::string& commandLine, int windowStyle) override;
  bool FileExists(const std::string& path) const override;
  TextLines ReadTextLines(const std::string& path) const override;
  std::string ProfileGet(const std::string& section, const std::string& key, const std::string& defaultValue,
                         std::size_t size, const std::string& path) override {
    return profiles_.Get(section, key, defaultValue, size, path);
  }
  void ProfilePut(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                  const std::string& path) override {
    profiles_.Put(section, key, value, path);
  }

  // Writes the held profile writes; false when the file could not be replaced.
  bool Flush() { return profiles_.Flush(); }

 private:
  std::string commandLine_;
  std::optional<std::string> folder_;
  ProfileFiles profiles_;
};

}  // namespace platform
