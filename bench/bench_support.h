// What the benchmarks share: a scratch folder, generated list and settings
// files, and a back end whose controls are the fake ones but whose system
// reads and writes real files there.
#pragma once

#include <string>
#include <vector>

#include "platform/posix/posix_system.h"
#include "tests/fake_desktop.h"

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

// PosixSystem where the program's folder is a chosen one; window stacking and
// ending the program do nothing, so handlers that reach them can run in a loop.
class FolderSystem final : public platform::PosixSystem {
 public:
  explicit FolderSystem(std::string folder) : PosixSystem({}), folder_(std::move(folder)) {}
  std::string ProgramFolder() const override { return folder_; }
  void SetWindowPos(platform::WindowHandle, platform::WindowHandle, int, int, int, int, int) override {}
  void End() override {}

 private:
  std::string folder_;
};

// The fake window and controls with FolderSystem behind them.
class FolderDesktop final : public platform::Desktop {
 public:
  explicit FolderDesktop(std::string folder) : system(std::move(folder)) {}

  void Attach(platform::FormEvents& events) override { fake.Attach(events); }
  platform::Window& Form() override { return fake.Form(); }
  platform::ListBox& List() override { return fake.List(); }
  platform::TextBox& CodeBox() override { return fake.CodeBox(); }
  platform::Label& CodeLabel() override { return fake.CodeLabel(); }
  platform::Button& CopyButton() override { return fake.CopyButton(); }
  platform::OptionButton& Option(int index) override { return fake.Option(index); }
  platform::MenuItem& Menu(platform::MenuId id) override { return fake.Menu(id); }
  platform::Timer& PasteTimer() override { return fake.PasteTimer(); }
  platform::OpenDialog& Dialog() override { return fake.Dialog(); }
  platform::Screen& Display() override { return fake.Display(); }
  platform::Clipboard& Clip() override { return fake.Clip(); }
  platform::System& Sys() override { return system; }

  fake::FakeDesktop fake;
  FolderSystem system;
};

// The four list files of `elements` elements each, written into folder.
void WriteListFiles(const std::string& folder, int elements);
std::vector<std::string> ListFilePaths(const std::string& folder);

}  // namespace bench
