#include "platform/win32/win32_system.h"

#include <windows.h>
//
#include <knownfolders.h>
#include <shlobj.h>

#include "platform/text.h"
#include "platform/win32/wide.h"

namespace platform {

std::string CommandLineArguments(const std::string& commandLine) {
  std::size_t i = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    const std::size_t close = commandLine.find('"', 1);
    i = close == std::string::npos ? commandLine.size() : close + 1;
  } else {
    while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
  }
  return std::string(TrimLeft(std::string_view(commandLine).substr(i)));
}

Win32System::Win32System(std::optional<std::string> folder)
    : SystemBase(CommandLineArguments(Utf8(GetCommandLineW())), std::move(folder)) {}

std::string Win32System::ProgramFolder() const {
  if (Folder()) return *Folder();
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return ".";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return ".";
  // A drive's root keeps its backslash: C:\ is a folder, C: is not.
  return Utf8(path.substr(0, slash > 0 && path[slash - 1] == L':' ? slash + 1 : slash));
}

bool Win32System::Shell(const std::string& commandLine, int windowStyle) {
  std::wstring line = Wide(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(windowStyle == kNormalWithFocus ? SW_SHOWNORMAL : windowStyle);
  PROCESS_INFORMATION process{};
  // Found as Windows finds it: the program's own folder first, then the system's.
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// %APPDATA%\Tovu, as the known folder says, not the environment.
std::string Win32System::UserSettingsFolder() const {
  PWSTR roaming = nullptr;
  std::string folder;
  if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &roaming) == S_OK) folder = Utf8(roaming) + "\\Tovu";
  CoTaskMemFree(roaming);
  return folder;
}

bool Win32System::FileExists(const std::string& path) const {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

}  // namespace platform
