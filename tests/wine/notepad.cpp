// A stand-in for Notepad in the end-to-end tests under Wine: put beside
// tovu.exe, where Windows looks first, it writes the command line it was
// started with, unchanged, to starts\<time>-<process>.txt beside itself.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t self[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring folder(self, n);
  folder.resize(folder.find_last_of(L'\\') + 1);
  folder += L"starts";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring name =
      folder + L"\\" + std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(GetCurrentProcessId());
  const wchar_t* line = GetCommandLineW();
  const int size = WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();  // the NUL
  // Written under another name first: the tests count only whole records.
  const HANDLE file = CreateFileW((name + L".part").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  CloseHandle(file);
  MoveFileW((name + L".part").c_str(), (name + L".txt").c_str());
  return 0;
}
