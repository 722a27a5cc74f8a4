// Whole files, as the settings and list files need them. One implementation
// per system (posix/, win32/), chosen when the program is linked.
#pragma once

#include <optional>
#include <string>

namespace platform::files {

// The bytes of an ordinary file that can be read; nullopt for anything else (a
// missing file, a folder, a FIFO, a device), with a one-line description
// without a comma in why.
std::optional<std::string> Read(const std::string& path, std::string* why = nullptr);

// Whether a new file can be made beside path (in its folder): a real attempt, a
// temporary file made there and removed, since permission bits lie (root, access
// lists, Windows' redirection of an older program's writes).
bool CanCreateBeside(const std::string& path);

enum class Replaceable {
  kNew,  // nothing at the path: a new file may be made
  kYes,  // an ordinary file that may be read and replaced
  kNo,   // anything else: a read-only file, a folder, a FIFO, a link to nothing
};
Replaceable CanReplace(const std::string& path);

// Replaces the file at path with bytes in one step, keeping the old file's
// attributes; a reader sees the old file or the new one, never a part. Never makes
// a folder. False, with the file unchanged and nothing left behind, on failure.
bool Replace(const std::string& path, const std::string& bytes);

// Makes folder and the folders above it that are missing, as the user's alone (a
// settings folder is nobody else's business). False when it cannot be made.
bool MakeFolders(const std::string& folder);

// Removes what replacements of path left behind when their writer was killed
// before it was done; a live writer's file is never touched.
void RemoveLeftovers(const std::string& path);

}  // namespace platform::files
