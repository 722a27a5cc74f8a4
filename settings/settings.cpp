#include "app/frmTovu.h"
#include "settings/values.h"

namespace {

const char kSettingsFile[] = "tovu.ini";
const char kSection[] = "Setting";
constexpr std::size_t kValueBuffer = 1024;

}  // namespace

// The settings live beside the program while its folder takes a new file (a portable
// copy); else in the user's own file, which a file beside the program seeds until it
// exists (an installed copy, whose folder the user cannot write). Decided once, at
// startup: the exit writes where the start read, or the user's file it now makes.
frmTovu::SettingsFiles frmTovu::ChooseSettingsFiles() const {
  const std::string folder = GetAppFolder();
  const std::string beside = folder.empty() ? "" : folder + kSettingsFile;
  const std::string own = UserSettingsFile();
  if (!beside.empty() && system.CanCreateBeside(beside)) return {beside, beside};
  if (own.empty()) return {beside, ""};
  return {beside.empty() || system.FileExists(own) ? own : beside, own};
}

std::string frmTovu::UserSettingsFile() const {
  const std::string own = system.UserSettingsFolder();
  return own.empty() ? "" : own + system.PathSeparator() + kSettingsFile;
}

void frmTovu::LoadSettings() {
  const SettingsFiles files = ChooseSettingsFiles();
  settingsFile = files.write;
  const std::string& path = files.read;
  SettingKeys = {"QuickCopy",  "TopPos", "PasteMode", "UpMemo", "ModeSave",
                 "WinPosSave", "Top",    "Left",      "Height", "Width"};
  SettingValues = {};
  if (!path.empty() && system.FileExists(path)) {
    for (std::size_t i = 0; i < Setting::Count; ++i) {
      SettingValues[i] = system.ProfileGet(kSection, SettingKeys[i], "", kValueBuffer, path);
    }
  } else {
    // The six flags and Top; Left, Height and Width stay unset.
    for (std::size_t i = 0; i <= Setting::Top; ++i) SettingValues[i] = "False";
  }

  mnuModeSave.SetChecked(SavedFlag(Setting::ModeSave));
  if (SavedFlag(Setting::WinPosSave)) {
    mnuWinPosSave.SetChecked(true);
    const auto number = [this](std::size_t setting) {
      return settings::ReadNumber(SettingValues[setting].value_or(""));
    };
    const double top = number(Setting::Top), left = number(Setting::Left);
    const double height = number(Setting::Height), width = number(Setting::Width);
    // A value the window cannot take (a size of 0, a position beyond what the
    // window system holds) is skipped; the window keeps that property's design value.
    (void)window.SetTop(top);
    (void)window.SetLeft(left);
    (void)window.SetHeight(height);
    (void)window.SetWidth(width);
  }

  if (SavedFlag(Setting::QuickCopy)) mnuQCopy_Click();
  if (SavedFlag(Setting::TopPos)) mnuTopPos_Click();
  if (SavedFlag(Setting::PasteMode)) mnuPasteMode_Click();
}

// An unset value removes its key; a failed write goes unnoticed. A program folder that
// no longer takes the file (made read-only, removed, a share gone) leaves the session's
// settings to the user's own file rather than losing them.
void frmTovu::SaveSettings() {
  std::string path = settingsFile;
  const std::string own = UserSettingsFile();
  if (!path.empty() && path != own && !system.CanCreateBeside(path)) path = own;
  if (path.empty() || (path == own && !system.MakeUserSettingsFolder())) return;  // nowhere to keep them
  for (std::size_t i = 0; i < Setting::Count; ++i) system.ProfilePut(kSection, SettingKeys[i], SettingValues[i], path);
}

void frmTovu::RecordOptions() {
  const std::pair<std::size_t, const platform::MenuItem*> marks[] = {
      {Setting::QuickCopy, &mnuQCopy}, {Setting::TopPos, &mnuTopPos},     {Setting::PasteMode, &mnuPasteMode},
      {Setting::UpMemo, &mnuUpMemo},   {Setting::ModeSave, &mnuModeSave}, {Setting::WinPosSave, &mnuWinPosSave}};
  for (const auto& [setting, mark] : marks) SettingValues[setting] = settings::FlagText(mark->Checked());
}

// Only a normal window's geometry is worth restoring; minimised or maximised,
// the last normal one stays recorded.
void frmTovu::RecordNormalGeometry() {
  if (window.WindowState() != platform::StateNormal) return;
  SettingValues[Setting::Top] = settings::NumberText(static_cast<float>(window.Top()));
  SettingValues[Setting::Left] = settings::NumberText(static_cast<float>(window.Left()));
  SettingValues[Setting::Height] = settings::NumberText(static_cast<float>(window.Height()));
  SettingValues[Setting::Width] = settings::NumberText(static_cast<float>(window.Width()));
}

bool frmTovu::SavedFlag(std::size_t setting) const { return settings::ReadFlag(SettingValues[setting]); }

// The startup options act only through the settings file, at the next start.
void frmTovu::mnuUpMemo_Click() { mnuUpMemo.SetChecked(!mnuUpMemo.Checked()); }
void frmTovu::mnuModeSave_Click() { mnuModeSave.SetChecked(!mnuModeSave.Checked()); }
void frmTovu::mnuWinPosSave_Click() { mnuWinPosSave.SetChecked(!mnuWinPosSave.Checked()); }
