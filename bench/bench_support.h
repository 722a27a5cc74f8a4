// What the benchmarks share: a scratch folder, generated list and settings
// files, and the fake back end with a real system whose program folder is there.
#pragma once

#include <string>
#include <vector>

#include "platform/fake/fake_desktop.h"
#ifndef _WIN32
#include "platform/posix/posix_system.h"
#endif

namespace bench {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);

// A list file as the program's own are written (code page 932, CR LF):
// "α alpha 12,&alpha;" lines. `elements` counts the comma-separated pieces the
// program makes of it; an odd count ends with a name that has no code.
std::string ListFileBytes(int elements, int seed);

// A settings file with `sections` small sections before the program's own
// [Setting] section (bytes in `own`, or nothing).
std::string CrowdedSettingsBytes(int sections, const std::string& own);

#ifndef _WIN32
// The fake window and controls with a PosixSystem whose program folder is folder.
struct FolderDesktop {
  explicit FolderDesktop(std::string folder) : system({}, std::move(folder)) {}
  platform::PosixSystem system;
  fake::FakeDesktop fake{&system};
};
#endif

// A list's elements, name then code, for `entries` entries: every name starts
// with 'n' but the first one's, which alone starts with 'z'.
std::vector<std::string> LongList(int entries);

// The four list files of `elements` elements each, written into folder.
void WriteListFiles(const std::string& folder, int elements);
std::vector<std::string> ListFilePaths(const std::string& folder);

}  // namespace bench
