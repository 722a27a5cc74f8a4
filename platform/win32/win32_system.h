// The operating-system half of the Windows back end: program folder, command
// line, starting programs, text and profile files, in the wide-character API.
#pragma once

#include <optional>
#include <string>

#include "platform/shared/system_base.h"

namespace platform {

// What follows the program's name on a Windows command line, unchanged: the
// name is quoted up to the next quote, or runs to the first blank.
std::string CommandLineArguments(const std::string& commandLine);

class Win32System final : public SystemBase {
 public:
  // folder: the program folder to report, when not the executable's own.
  explicit Win32System(std::optional<std::string> folder = std::nullopt);

  std::string ProgramFolder() const override;
  char PathSeparator() const override { return '\\'; }
  bool Shell(const std::string& commandLine, int windowStyle) override;
  bool FileExists(const std::string& path) const override;
  std::string UserSettingsFolder() const override;
  bool MakeUserSettingsFolder() override;

 private:
  std::optional<std::wstring> FindProgram(const std::wstring& commandLine) const;
};

}  // namespace platform
