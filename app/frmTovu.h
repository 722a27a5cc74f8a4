// The one window: its data and every handler. Handlers of a subsystem live in
// that subsystem's folder; this folder holds the design, startup, exit and resize.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/desktop.h"

// Controls that share a name and a handler, told apart by index.
template <typename T, std::size_t N>
class ControlArray {
 public:
  explicit ControlArray(std::array<T*, N> items) : items_(items) {}
  T& operator[](std::size_t index) const { return *items_.at(index); }
  static constexpr std::size_t size() { return N; }

 private:
  std::array<T*, N> items_;
};

class frmTovu final : public platform::FormEvents {
 public:
  explicit frmTovu(platform::Desktop& desktop);
  static platform::FormDesign Design();

  // app/
  void Form_Load() override;
  void Form_Resize() override;
  void Form_QueryUnload(bool& cancel, int unloadMode) override;
  void mnuExit_Click() override;
  std::string GetAppFolder() const;

  // lists/
  std::string ReadListFile(const std::string& path) const;
  void LoadLists();
  void mnuViewList_Click(int index) override;
  void optList_Click(int index) override;
  void lstMain_Click() override;

  // clipboard/
  void cmdCopy_Click() override;
  void mnuQCopy_Click() override;

  // window/
  void mnuTopPos_Click() override;
  void mnuPasteMode_Click() override;
  void tmrPasteMode_Timer() override;

  // settings/
  // Where startup reads the settings and where the exit writes them; "" for none.
  struct SettingsFiles {
    std::string read, write;
  };
  SettingsFiles ChooseSettingsFiles() const;
  std::string UserSettingsFile() const;  // "" where the system has no folder for it
  void LoadSettings();
  void SaveSettings();
  // The exit's record: the six check marks as flag texts, and the window's
  // geometry when it is normal (Form_Resize records that too).
  void RecordOptions();
  void RecordNormalGeometry();
  // A saved flag as startup reads it: "True"/"False" in any case, or a number.
  bool SavedFlag(std::size_t setting) const;
  void mnuUpMemo_Click() override;
  void mnuModeSave_Click() override;
  void mnuWinPosSave_Click() override;

  // notepad/
  void mnuNew_Click() override;
  void mnuOpen_Click() override;
  void StartNotepadAtStartup();

  // Names and codes alternately, per list index; filled once by LoadLists.
  std::array<std::vector<std::string>, 4> ListData;
  std::int16_t CurrentList = 0;
  // The slots of SettingKeys and SettingValues.
  struct Setting {
    enum : std::size_t { QuickCopy, TopPos, PasteMode, UpMemo, ModeSave, WinPosSave, Top, Left, Height, Width, Count };
  };
  std::array<std::string, Setting::Count> SettingKeys;
  // A text or unset, per key of SettingKeys.
  std::array<std::optional<std::string>, Setting::Count> SettingValues;

 private:
  platform::Window& window;
  platform::ListBox& lstMain;
  platform::TextBox& txtCode;
  platform::Label& lblCode;
  platform::Button& cmdCopy;
  ControlArray<platform::OptionButton, 4> optList;
  ControlArray<platform::MenuItem, 4> mnuViewList;
  platform::MenuItem& mnuQCopy;
  platform::MenuItem& mnuTopPos;
  platform::MenuItem& mnuPasteMode;
  platform::MenuItem& mnuUpMemo;
  platform::MenuItem& mnuModeSave;
  platform::MenuItem& mnuWinPosSave;
  platform::Timer& tmrPasteMode;
  platform::OpenDialog& cdlTovu;
  platform::Screen& screen;
  platform::Clipboard& clipboard;
  platform::System& system;
  platform::WindowSystem& windowSystem;
  std::string settingsFile;  // where SaveSettings writes, as LoadSettings chose
};
