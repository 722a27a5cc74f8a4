// The Win32 back end against the real system: its file operations, and the window
// raising the handlers where the other back ends do (CTest gives it a display).
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/frmTovu.h"
#include "platform/files.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_desktop.h"
#include "raising_rules.h"

namespace fs = std::filesystem;

class Win32Test : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override {
    for (const auto& file : fs::directory_iterator(dir)) SetFileAttributesW(file.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(dir);
  }
  std::string Path(const char* name) const { return (dir / name).string(); }
  static void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  const fs::path dir = fs::temp_directory_path() / ("tovu-test-" + std::to_string(GetCurrentProcessId()));
  platform::Win32System system;
};

// A leftover of a writer killed long ago goes, one a live writer holds open stays.
TEST_F(Win32Test, ReplacementKeepsAttributesAndLeavesNothingBehind) {
  const std::string ini = Path("tovu.ini"), dead = Path(".tovu.ini.dead01.tmp"), live = Path(".tovu.ini.live01.tmp");
  Write(ini, "[Setting]\r\nTop=1\r\n");
  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_HIDDEN);
  const FILETIME old{0, 0x01000000};
  for (const std::string& file : {dead, live}) {
    Write(file, "old");
    HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, nullptr, nullptr, &old);
    CloseHandle(h);
  }
  HANDLE held = CreateFileA(live.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_FALSE(system.FileExists(ini));  // hidden counts as missing
  system.ProfilePut("Setting", "Top", "2", ini);
  ASSERT_TRUE(system.Flush());
  CloseHandle(held);
  EXPECT_EQ("[Setting]\r\nTop=2\r\n", platform::files::Read(ini));
  EXPECT_TRUE(GetFileAttributesA(ini.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_EQ(2, std::distance(fs::directory_iterator(dir), fs::directory_iterator()));  // tovu.ini and the live one
}

// A read that fails (on Windows, a range another process has locked; Wine enforces no
// such lock, but a read of this file fails there) fails whole: the settings write
// never takes what it got so far for the file.
TEST_F(Win32Test, AFailedReadIsNoFile) {
  const std::string unreadable = "Z:\\proc\\self\\mem";
  ASSERT_EQ(platform::files::Replaceable::kYes, platform::files::CanReplace(unreadable));
  EXPECT_EQ(std::nullopt, platform::files::Read(unreadable));
  EXPECT_EQ("no file", system.ProfileGet("Setting", "Top", "no file", 1024, unreadable));
}

static BOOL CALLBACK CountWindow(HWND, LPARAM count) { return ++*reinterpret_cast<int*>(count), TRUE; }
static int ThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

// The raising rules, kept by the Win32 back end as by the others; desktops come and go
// within one process, each leaving no window behind.
TEST(RaisingRules, KeptByWin32) {
  static const int before = ThreadWindows();
  struct Win32 final : RulesBackend {
    platform::Win32System system;
    platform::Win32Desktop desk{GetModuleHandleW(nullptr), frmTovu::Design(), system};
    Win32() {
      desk.Attach(events);
      EXPECT_TRUE(desk.Ready() && ThreadWindows() > before);
    }
    platform::Desktop& Desk() override { return desk; }
    void Show() override { desk.Show(); }
    void Pump(int milliseconds) override {
      for (const ULONGLONG end = GetTickCount64() + milliseconds; GetTickCount64() < end; Sleep(5)) {
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
      }
    }
    void Click(int entry) override {
      const HWND list = GetWindow(desk.hwnd(), GW_CHILD);  // first in the window order
      RECT item{};
      SendMessageW(list, LB_GETITEMRECT, entry, reinterpret_cast<LPARAM>(&item));
      const LPARAM at = MAKELPARAM(item.left + 2, item.top + 2);
      PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at), PostMessageW(list, WM_LBUTTONUP, 0, at);
    }
    void SetState(int state) override {
      ShowWindow(desk.hwnd(), state == platform::StateMinimized   ? SW_MINIMIZE
                              : state == platform::StateMaximized ? SW_MAXIMIZE
                                                                  : SW_RESTORE);
    }
    void RequestClose() override { PostMessageW(desk.hwnd(), WM_CLOSE, 0, 0); }
    void Choose(platform::MenuId id) override {
      PostMessageW(desk.hwnd(), WM_COMMAND, platform::Win32Desktop::kCommandBase + static_cast<UINT>(id), 0);
    }
  };
  EXPECT_EQ("", Broken<Win32>("win32"));
  EXPECT_EQ(before, ThreadWindows());
}

// Each control, in window order, through the system's own accessible objects: the label before the code box names
// it. Wine's oleacc answers no annotation (the list box's name; SetHwndPropStr: E_NOTIMPL) and no role but the edit's.
TEST(Win32Desktop, EachControlHasItsNameAndRole) {
  platform::Win32System system;
  platform::Win32Desktop desk{GetModuleHandleW(nullptr), frmTovu::Design(), system};
  desk.Menu(platform::MenuId::mnuViewList3).SetChecked(true);
  const long option = ROLE_SYSTEM_RADIOBUTTON;
  // clang-format off
  const std::pair<const char*, long> rows[] = {
      {"参照一覧：ISO 8859-1", ROLE_SYSTEM_LIST}, {"コピー(C)", ROLE_SYSTEM_PUSHBUTTON}, {"コード：", ROLE_SYSTEM_STATICTEXT},
      {"コード：", ROLE_SYSTEM_TEXT}, {"ギリシャ", option}, {"記号", option}, {"特殊文字", option}, {"ISO 8859-1", option}};
  // clang-format on
  HWND control = GetWindow(desk.hwnd(), GW_CHILD);
  desk.List().AddItem("b"), desk.List().AddItem("a"), desk.List().ListIndex();  // shown in the order added
  wchar_t first[2]{};
  EXPECT_TRUE(SendMessageW(control, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(first)) == 1 && first[0] == L'b');
  for (const auto& [name, role] : rows) {
    IAccessible* object = nullptr;
    ASSERT_EQ(S_OK,
              AccessibleObjectFromWindow(control, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object)));
    VARIANT self{}, answer{};
    self.vt = VT_I4;  // CHILDID_SELF
    BSTR text = nullptr;
    object->get_accName(self, &text);
    object->get_accRole(self, &answer);
    const std::string got = text ? platform::Utf8(text) : "";
    EXPECT_TRUE(got == name || (got.empty() && role == ROLE_SYSTEM_LIST)) << name << ": " << got;
    EXPECT_TRUE(answer.lVal == role || (answer.lVal == ROLE_SYSTEM_CLIENT && role != ROLE_SYSTEM_TEXT)) << name;
    SysFreeString(text);
    object->Release();
    control = GetWindow(control, GW_HWNDNEXT);
  }
}
