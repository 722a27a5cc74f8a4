#include "platform/win32/win32_system.h"

#include <windows.h>
//
#include <knownfolders.h>
#include <shlobj.h>

#include "platform/files.h"
#include "platform/shared/text.h"
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
    if (n == 0) return "";
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return "";
  // A drive's root keeps its backslash: C:\ is a folder, C: is not.
  return Utf8(path.substr(0, slash > 0 && path[slash - 1] == L':' ? slash + 1 : slash));
}

// The program a command line names, found as Windows finds it but never in the
// current folder, where anyone may have put a program of that name (a download
// folder, a share the user opened a file from): beside Tovu, then the system's own.
std::optional<std::wstring> Win32System::FindProgram(const std::wstring& line) const {
  std::wstring name = line.substr(0, line.find_first_of(L" \t"));
  if (name.empty() || name.find_first_of(L"\\/:\"") != std::wstring::npos) return std::nullopt;
  if (name.find(L'.') == std::wstring::npos) name += L".exe";
  std::wstring system(MAX_PATH, L'\0'), windows(MAX_PATH, L'\0');
  system.resize(GetSystemDirectoryW(system.data(), MAX_PATH));
  windows.resize(GetWindowsDirectoryW(windows.data(), MAX_PATH));
  for (const std::wstring& folder : {Wide(ProgramFolder()), system, windows}) {
    if (folder.empty()) continue;
    const std::wstring path = folder + (folder.back() == L'\\' ? L"" : L"\\") + name;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return path;
  }
  return std::nullopt;
}

bool Win32System::Shell(const std::string& commandLine, int windowStyle) {
  std::wstring line = Wide(commandLine);
  const std::optional<std::wstring> program = FindProgram(line);
  if (!program) return false;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(windowStyle == kNormalWithFocus ? SW_SHOWNORMAL : windowStyle);
  PROCESS_INFORMATION process{};
  // The command line goes as it came; only where the program lies is ours to say.
  if (!CreateProcessW(program->c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

namespace {

// %APPDATA%\Tovu, as the known folder says, not the environment; flags: whether to
// make the known folder, or to name it even where it is missing.
std::string SettingsFolder(DWORD flags) {
  PWSTR roaming = nullptr;
  std::string folder;
  if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, flags, nullptr, &roaming) == S_OK)
    folder = Utf8(roaming) + "\\Tovu";
  CoTaskMemFree(roaming);
  return folder;
}

}  // namespace

std::string Win32System::UserSettingsFolder() const { return SettingsFolder(KF_FLAG_DONT_VERIFY); }

bool Win32System::MakeUserSettingsFolder() {
  const std::string folder = SettingsFolder(KF_FLAG_CREATE);
  return !folder.empty() && files::MakeFolders(folder);
}

bool Win32System::FileExists(const std::string& path) const {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

}  // namespace platform
