#include "platform/files.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace platform::files {
namespace {

// A replacement's temporary file: ".tovu.ini.<random>.tmp" beside the file.
constexpr wchar_t kTemporarySuffix[] = L".tmp";
// A temporary file this old is a leftover of a writer that is gone; a live
// writer's is open without sharing, so it cannot be deleted anyway.
constexpr ULONGLONG kLeftoverAge = 10ULL * 10000000ULL;  // 100 ns units

std::string Describe(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "File not found";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: return "Permission denied";
    default: return "Path/File access error";
  }
}

ULONGLONG Ticks(FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

std::wstring RandomName() {
  static unsigned counter = 0;
  LARGE_INTEGER clock;
  QueryPerformanceCounter(&clock);
  unsigned long long mix = static_cast<unsigned long long>(clock.QuadPart) * 6364136223846793005ULL ^
                           (static_cast<unsigned long long>(GetCurrentProcessId()) << 20) ^ ++counter;
  std::wstring name;
  for (int i = 0; i < 6; ++i, mix /= 36) name += L"0123456789abcdefghijklmnopqrstuvwxyz"[mix % 36];
  return name;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// The file a path ends at: what a link points at, not the link, so that a replacement
// writes the file and keeps the link.
std::wstring Final(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return path;
  std::wstring final(32768, L'\0');
  final.resize(GetFinalPathNameByHandleW(file, final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED));
  CloseHandle(file);
  if (final.empty() || final.size() >= 32768) return path;
  // "\\?\C:\..." and "\\?\UNC\server\..." as the paths they name.
  if (final.starts_with(L"\\\\?\\UNC\\")) return L"\\" + final.substr(7);
  return final.starts_with(L"\\\\?\\") ? final.substr(4) : final;
}

// The folder (with its separator, or empty) and name of the file a path ends at.
std::pair<std::wstring, std::wstring> Target(const std::wstring& path) {
  const std::wstring final = Final(path);
  const std::size_t slash = final.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return {L"", final};
  return {final.substr(0, slash + 1), final.substr(slash + 1)};
}

// Something stands at a path that looks free (a link to nothing, which Wine shows as no
// file at all): a new file there would land where the link points.
bool Occupied(const std::wstring& path) {
  const HANDLE probe = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (probe != INVALID_HANDLE_VALUE) return !CloseHandle(probe);
  return GetLastError() == ERROR_FILE_EXISTS;
}

// Makes folder and the folders above it that are missing.
bool MakeWideFolders(const std::wstring& folder) {
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return attributes & FILE_ATTRIBUTE_DIRECTORY;
  const std::size_t slash = folder.size() < 2 ? std::wstring::npos : folder.find_last_of(L"\\/", folder.size() - 2);
  if (slash == std::wstring::npos || !MakeWideFolders(folder.substr(0, slash + 1))) return false;
  return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Creates folder\.name.<random>.tmp for writing, shared with no one; invalid on failure.
HANDLE CreateTemporary(const std::wstring& folder, const std::wstring& name, std::wstring& temporary, DWORD flags) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    temporary = folder + L"." + name + L"." + RandomName() + kTemporarySuffix;
    const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

}  // namespace

std::optional<std::string> Read(const std::string& path, std::string* why) {
  const HANDLE file =
      CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (why) *why = Describe(GetLastError());
    return std::nullopt;
  }
  std::optional<std::string> bytes;
  if (GetFileType(file) == FILE_TYPE_DISK) {
    bytes.emplace();
    char buffer[65536];
    for (DWORD n = 0;; bytes->append(buffer, n)) {
      // A read that fails part way sets n to 0 as the end does: only the result tells them apart,
      // and a file read in part must not pass for the whole.
      if (!ReadFile(file, buffer, sizeof buffer, &n, nullptr)) {
        bytes.reset();
        break;
      }
      if (n == 0) break;
    }
  }
  if (!bytes && why) *why = Describe(GetLastError());
  CloseHandle(file);
  return bytes;
}

void RemoveLeftovers(const std::string& path) {
  const auto [folder, name] = Target(Wide(path));
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"." + name + L".*" + kTemporarySuffix).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        Ticks(now) - Ticks(found.ftLastWriteTime) >= kLeftoverAge) {
      const std::wstring leftover = folder + found.cFileName;
      SetFileAttributesW(leftover.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(leftover.c_str());
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

bool CanCreateBeside(const std::string& path) {
  const auto [folder, name] = Target(Wide(path));
  std::wstring probe;
  const HANDLE file = CreateTemporary(folder, name, probe, FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE);
  // A folder that keeps what is made there (an append-only one under Wine) takes no settings.
  return file != INVALID_HANDLE_VALUE && CloseHandle(file) &&
         GetFileAttributesW(probe.c_str()) == INVALID_FILE_ATTRIBUTES;
}

Replaceable CanReplace(const std::string& path) {
  const std::wstring wide = Wide(path);
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_PATH_NOT_FOUND) return Replaceable::kNew;
    return error == ERROR_FILE_NOT_FOUND && !Occupied(wide) ? Replaceable::kNew : Replaceable::kNo;
  }
  // A link to nothing: what it meant to name is unknown.
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) && Final(wide) == wide) return Replaceable::kNo;
  return attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY) ? Replaceable::kNo : Replaceable::kYes;
}

bool Replace(const std::string& path, const std::string& bytes) {
  const auto [folder, name] = Target(Wide(path));
  const std::wstring target = folder + name;
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;

  std::wstring temporary;
  const HANDLE file = CreateTemporary(folder, name, temporary, FILE_ATTRIBUTE_HIDDEN);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  // The old file's attributes (hidden, archive) go with the new one.
  const DWORD keep = attributes == INVALID_FILE_ATTRIBUTES ? FILE_ATTRIBUTE_NORMAL : attributes;
  ok = ok && SetFileAttributesW(temporary.c_str(), keep) &&
       MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) {
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(temporary.c_str());
  }
  return ok;
}

bool MakeFolders(const std::string& folder) { return MakeWideFolders(Wide(folder)); }

}  // namespace platform::files
