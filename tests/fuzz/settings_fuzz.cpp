// Any settings file: startup reads it, the exit writes the ten values, and the
// file then holds exactly those ten values.
#include <cstdlib>

#include "app/frmTovu.h"
#include "platform/fake/fake_desktop.h"
#include "platform/shared/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fake::FakeDesktop desk;
  frmTovu form(desk);
  const std::string path = "/opt/tovu/tovu.ini";
  desk.system.files[path].bytes.assign(reinterpret_cast<const char*>(data), size);
  form.Form_Load();
  desk.window.Show();
  form.mnuExit_Click();
  if (!desk.windowSystem.ended) std::abort();
  const std::string& file = desk.system.files[path].bytes;
  // A file the profile functions must not touch (UTF-16) keeps its bytes.
  if (file.starts_with("\xFF\xFE") || file.starts_with("\xFE\xFF")) return 0;
  for (std::size_t i = 0; i < form.SettingKeys.size(); ++i) {
    if (profile::Get(file, "Setting", form.SettingKeys[i], 1024) != form.SettingValues[i]) std::abort();
  }
  return 0;
}
