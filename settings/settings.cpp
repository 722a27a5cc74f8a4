#include "app/frmTovu.h"
#include "settings/values.h"

using settings::ReadFlag;

namespace {

const char kSettingsFile[] = "tovu.ini";
const char kSection[] = "Setting";
constexpr std::size_t kValueBuffer = 1024;

}  // namespace

void frmTovu::LoadSettings() {
  const std::string path = GetAppFolder() + kSettingsFile;
  SettingKeys = {"QuickCopy", "TopPos", "PasteMode", "UpMemo", "ModeSave",
                 "WinPosSave", "Top", "Left", "Height", "Width"};
  SettingValues = {};
  if (system.FileExists(path)) {
    for (std::size_t i = 0; i < SettingKeys.size(); ++i) {
      SettingValues[i] =
          system.GetPrivateProfileString(kSection, SettingKeys[i], "", kValueBuffer, path);
    }
  } else {
    for (std::size_t i = 0; i <= 6; ++i) SettingValues[i] = "False";
  }

  mnuModeSave.SetChecked(ReadFlag(SettingValues[4]));
  if (ReadFlag(SettingValues[5])) {
    mnuWinPosSave.SetChecked(true);
    double geometry[4];
    for (int i = 0; i < 4; ++i) geometry[i] = settings::ReadNumber(SettingValues[6 + i].value_or(""));
    // A value the window cannot take (a size of 0, a position beyond what the
    // window system holds) is skipped; the window keeps that property's design value.
    (void)window.SetTop(geometry[0]);
    (void)window.SetLeft(geometry[1]);
    (void)window.SetHeight(geometry[2]);
    (void)window.SetWidth(geometry[3]);
  }

  if (ReadFlag(SettingValues[0])) mnuQCopy_Click();
  if (ReadFlag(SettingValues[1])) mnuTopPos_Click();
  if (ReadFlag(SettingValues[2])) mnuPasteMode_Click();
}

// An unset value removes its key; a failed write goes unnoticed.
void frmTovu::SaveSettings() {
  const std::string path = GetAppFolder() + kSettingsFile;
  for (std::size_t i = 0; i < SettingKeys.size(); ++i) {
    system.WritePrivateProfileString(kSection, SettingKeys[i], SettingValues[i], path);
  }
}

// The startup options act only through the settings file, at the next start.
void frmTovu::mnuUpMemo_Click() { mnuUpMemo.SetChecked(!mnuUpMemo.Checked()); }
void frmTovu::mnuModeSave_Click() { mnuModeSave.SetChecked(!mnuModeSave.Checked()); }
void frmTovu::mnuWinPosSave_Click() { mnuWinPosSave.SetChecked(!mnuWinPosSave.Checked()); }
