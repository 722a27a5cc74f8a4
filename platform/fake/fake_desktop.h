// The in-memory back end of the unit tests and benchmarks: it keeps state,
// records the calls the tests compare (geometry writes, check marks, the Copy
// button, the timer, stacking, file reads), and raises the window's handlers at the same moments
// as the Qt and Win32 back ends do. Where the systems differ it follows Windows,
// the program's home: a hidden file counts as missing, a missing list reads as
// "File not found", profile writes reach the file at once, and window positions
// are 16-bit pixels. The user's side (a click, a key, a resize) is a method of
// the control it happens to.
#pragma once

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/desktop.h"
#include "platform/shared/profile.h"
#include "platform/shared/reach.h"
#include "platform/shared/textfile.h"
#include "platform/shared/twips.h"

namespace fake {

using Lines = std::vector<std::string>;

// What every fake control shares: where events go and the record of calls.
struct Shared {
  platform::NullEvents none;
  platform::FormEvents* events = &none;
  Lines log;
  void Log(std::string line) { log.push_back(std::move(line)); }
};

inline std::string Num(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", v);
  return buffer;
}

// Monitors in pixels, the primary first; the screen is the one holding the window, by the
// rule every back end keeps.
struct FakeScreen final : platform::Screen {
  std::vector<platform::PixelRect> monitors{{0, 0, 1024, 768}};
  double tppX = 15, tppY = 15;
  const platform::Window* window = nullptr;

  double Left() const override { return Holding().left * tppX; }
  double Top() const override { return Holding().top * tppY; }
  double Width() const override { return Holding().width * tppX; }
  double Height() const override { return Holding().height * tppY; }
  double TwipsPerPixelX() const override { return tppX; }
  double TwipsPerPixelY() const override { return tppY; }

 private:
  const platform::PixelRect& Holding() const {
    if (!window) return monitors.front();
    const platform::Twips twips{tppX, tppY};
    const platform::PixelRect frame{twips.X(window->Left()), twips.Y(window->Top()), twips.X(window->Width()),
                                    twips.Y(window->Height())};
    return monitors[platform::HoldingScreen(frame, monitors)];
  }
};

// A window with a frame of 4 pixels, a caption of 22 and a menu bar of 20.
struct FakeWindow final : platform::Window {
  FakeWindow(Shared& s, FakeScreen& screen) : s(s), screen(screen) {}
  Shared& s;
  FakeScreen& screen;
  double left = 7065, top = 4620, width = 0, height = 0;
  double frameSide = 60, frameTop = 390, frameBottom = 60;  // caption and menu bar in frameTop
  int state = platform::StateNormal;

  double Left() const override { return left; }
  double Top() const override { return top; }
  double Width() const override { return width; }
  double Height() const override { return height; }
  bool SetLeft(double v) override { return Move(left, v, "Left", screen.tppX); }
  bool SetTop(double v) override { return Move(top, v, "Top", screen.tppY); }
  bool SetWidth(double v) override { return Size(width, v, "Width", screen.tppX, 2 * frameSide); }
  bool SetHeight(double v) override { return Size(height, v, "Height", screen.tppY, frameTop + frameBottom); }
  double ScaleLeft() const override { return 0; }
  double ScaleTop() const override { return 0; }
  double ScaleWidth() const override { return state == platform::StateMinimized ? 0 : width - 2 * frameSide; }
  double ScaleHeight() const override {
    return state == platform::StateMinimized ? 0 : height - frameTop - frameBottom;
  }
  int WindowState() const override { return state; }
  platform::WindowHandle hWnd() const override { return 0x1234; }

  // What the user or the window manager does.
  void SetClientSize(double clientWidth, double clientHeight) {
    width = clientWidth + 2 * frameSide;
    height = clientHeight + frameTop + frameBottom;
  }
  void Show() { s.events->Form_Resize(); }
  void SetState(int newState) {
    state = newState;
    s.events->Form_Resize();
  }
  void RequestClose() {
    bool cancel = false;
    s.events->Form_QueryUnload(cancel, platform::CloseFromWindow);
  }

 private:
  bool Move(double& field, double v, const char* name, double perPixel) {
    s.Log(std::string(name) + "=" + Num(v));
    if (state != platform::StateNormal || !FitsPixels(v, perPixel)) return false;
    field = v;
    return true;
  }
  // frame: what the frame and menu bar take of the size, beyond the client area.
  bool Size(double& field, double v, const char* name, double perPixel, double frame) {
    s.Log(std::string(name) + "=" + Num(v));
    if (state != platform::StateNormal || !(v > 0) || !FitsPixels(v, perPixel)) return false;
    v = std::max(v, platform::kMinimumClientTwips + frame);
    if (field == v) return true;
    field = v;
    s.events->Form_Resize();
    return true;
  }
  // Window coordinates are 16-bit pixels on the window system.
  static bool FitsPixels(double v, double perPixel) { return platform::Pixel16(v / perPixel).has_value(); }
};

struct FakeListBox final : platform::ListBox {
  explicit FakeListBox(Shared& s) : s(s) {}
  Shared& s;
  Lines items;
  int index = -1;
  double top = 0, left = 0, width = 975, height = 1650;

  void Clear() override {
    items.clear();
    index = -1;
  }
  void AddItem(const std::string& item) override { items.push_back(item); }
  int ListIndex() const override { return index; }
  void SetTop(double v) override { top = v; }
  void SetLeft(double v) override { left = v; }
  void SetWidth(double v) override { width = v; }
  void SetHeight(double v) override { height = v; }

  // The user selects with the mouse or the arrow keys.
  void Select(int i) {
    if (i == index || i < 0 || i >= static_cast<int>(items.size())) return;
    index = i;
    s.events->lstMain_Click();
  }
};

// A toolkit places controls on its own grid (whole pixels); 0 keeps twips exact.
inline double Snap(double v, double grid) { return grid > 0 ? std::round(v / grid) * grid : v; }

struct FakeTextBox final : platform::TextBox {
  std::string text;
  double left = 1080, width = 1095;
  double grid = 0;
  std::string Text() const override { return text; }
  void SetText(const std::string& v) override { text = v; }
  double Left() const override { return left; }
  void SetLeft(double v) override { left = Snap(v, grid); }
  double Width() const override { return width; }
  void SetWidth(double v) override { width = Snap(v, grid); }
};

struct FakeLabel final : platform::Label {
  double left = 1080;
  double grid = 0;
  double Left() const override { return left; }
  void SetLeft(double v) override { left = Snap(v, grid); }
};

struct FakeButton final : platform::Button {
  explicit FakeButton(Shared& s) : s(s) {}
  Shared& s;
  double left = 1080, width = 1095;
  void SetEnabled(bool v) override { s.Log(std::string("cmdCopy.Enabled=") + (v ? "True" : "False")); }
  void SetLeft(double v) override { left = v; }
  void SetWidth(double v) override { width = v; }
  void Click() { s.events->cmdCopy_Click(); }
};

struct FakeOptionButton final : platform::OptionButton {
  FakeOptionButton(Shared& s, int& selected, int index) : s(s), selected(selected), index(index) {}
  Shared& s;
  int& selected;  // the group's selected index
  int index;
  double left = 1080;
  void SetValue(bool v) override {
    if (!v) {
      if (selected == index) selected = -1;
      return;
    }
    if (selected == index) return;
    selected = index;
    s.events->optList_Click(index);
  }
  void SetLeft(double v) override { left = v; }
  void Click() { SetValue(true); }  // the user's click selects, then raises
};

struct FakeMenuItem final : platform::MenuItem {
  FakeMenuItem(Shared& s, std::string name) : s(s), name(std::move(name)) {}
  Shared& s;
  std::string name;
  bool checked = false;
  bool Checked() const override { return checked; }
  void SetChecked(bool v) override {
    s.Log(name + ".Checked=" + (v ? "True" : "False"));
    checked = v;
  }
};

struct FakeTimer final : platform::Timer {
  explicit FakeTimer(Shared& s) : s(s) {}
  Shared& s;
  int interval = 0;
  void SetInterval(int ms) override {
    s.Log("tmrPasteMode.Interval=" + std::to_string(ms));
    interval = ms;
  }
};

struct FakeClipboard final : platform::Clipboard {
  std::string text = "(before)";
  void Clear() override { text.clear(); }
  void SetText(const std::string& v) override { text = v; }
};

// The user cancels every open dialog.
struct FakeDialog final : platform::OpenDialogBase {
  bool ShowOpen() override { return !cancelError_; }
};

struct FakeFile {
  std::string bytes;
  bool hidden = false;     // as with the hidden attribute
  bool directory = false;  // a folder stands at the path
};

struct FakeSystem final : platform::System {
  explicit FakeSystem(Shared& s) : s(s) {}
  Shared& s;  // mutable through the reference: a const read is logged too
  std::string programFolder = "/opt/tovu";
  char separator = '/';
  std::string commandLine;
  std::map<std::string, FakeFile> files;
  std::set<std::string> lockedFolders;  // folders where no new file can be made
  std::string userFolder = "/home/user/.config/tovu";

  std::string ProgramFolder() const override { return programFolder; }
  char PathSeparator() const override { return separator; }
  std::string CommandLine() const override { return commandLine; }
  bool Shell(const std::string&, int) override { return true; }
  bool FileExists(const std::string& path) const override {
    const auto it = files.find(path);
    return it != files.end() && !it->second.directory && !it->second.hidden;
  }
  bool CanCreateBeside(const std::string& path) override {
    return !lockedFolders.contains(path.substr(0, path.find_last_of(separator)));
  }
  std::string UserSettingsFolder() const override { return userFolder; }
  bool MakeUserSettingsFolder() override { return !userFolder.empty(); }
  platform::TextLines ReadTextLines(const std::string& path) const override {
    s.Log("Read " + path);
    const auto it = files.find(path);
    if (it == files.end() || it->second.directory) return {{}, {}, "File not found"};
    return platform::SplitTextLines(it->second.bytes);
  }
  std::string ProfileGet(const std::string& section, const std::string& key, const std::string& defaultValue,
                         std::size_t size, const std::string& path) override {
    const auto it = files.find(path);
    if (it == files.end() || it->second.directory) return defaultValue;
    return profile::Get(it->second.bytes, section, key, size).value_or(defaultValue);
  }
  void ProfilePut(const std::string& section, const std::string& key, const std::optional<std::string>& value,
                  const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end() ? !CanCreateBeside(path) : it->second.directory) return;
    std::optional<std::string> old;
    if (it != files.end()) old = it->second.bytes;
    if (auto changed = profile::Put(old, section, key, value)) files[path].bytes = *changed;
  }
};

struct FakeWindowSystem final : platform::WindowSystem {
  explicit FakeWindowSystem(Shared& s) : s(s) {}
  Shared& s;
  bool ended = false;
  void SetWindowPos(platform::WindowHandle, platform::WindowHandle after, int x, int y, int cx, int cy,
                    int flags) override {
    s.Log("SetWindowPos " + std::to_string(after) + " " + std::to_string(x) + " " + std::to_string(y) + " " +
          std::to_string(cx) + " " + std::to_string(cy) + " " + std::to_string(flags));
  }
  void End() override { ended = true; }
};

class FakeDesktop final : public platform::Desktop {
 public:
  // system: a real system to use instead of the fake one (the benchmarks read real files).
  explicit FakeDesktop(platform::System* system = nullptr) : realSystem(system) {
    for (int i = 0; i < platform::kMenuIdCount; ++i) menus.emplace_back(s, kMenuNames[i]);
    for (int i = 0; i < 4; ++i) options.push_back(std::make_unique<FakeOptionButton>(s, selectedOption, i));
    window.SetClientSize(2790, 4770);
    screen.window = &window;
  }

  void Attach(platform::FormEvents& events) override { s.events = &events; }
  platform::Window& Form() override { return window; }
  platform::ListBox& List() override { return list; }
  platform::TextBox& CodeBox() override { return code; }
  platform::Label& CodeLabel() override { return label; }
  platform::Button& CopyButton() override { return button; }
  platform::OptionButton& Option(int index) override { return *options.at(index); }
  platform::MenuItem& Menu(platform::MenuId id) override { return menus.at(static_cast<int>(id)); }
  platform::Timer& PasteTimer() override { return timer; }
  platform::OpenDialog& Dialog() override { return dialog; }
  platform::Screen& Display() override { return screen; }
  platform::Clipboard& Clip() override { return clipboard; }
  platform::System& Sys() override { return realSystem ? *realSystem : system; }
  platform::WindowSystem& WinSys() override { return windowSystem; }

  // The user picks a menu item.
  void Choose(platform::MenuId id) { platform::RaiseMenuClick(*s.events, id); }
  // One tick of the sticky-mode timer, if it runs.
  void Tick() {
    if (timer.interval > 0) s.events->tmrPasteMode_Timer();
  }
  Lines TakeLog() {
    Lines out;
    out.swap(s.log);
    return out;
  }

  Shared s;
  FakeScreen screen;
  FakeWindow window{s, screen};
  FakeListBox list{s};
  FakeTextBox code;
  FakeLabel label;
  FakeButton button{s};
  int selectedOption = 0;
  std::vector<std::unique_ptr<FakeOptionButton>> options;
  std::vector<FakeMenuItem> menus;
  FakeTimer timer{s};
  FakeDialog dialog;
  FakeClipboard clipboard;
  FakeSystem system{s};
  FakeWindowSystem windowSystem{s};

 private:
  platform::System* realSystem;
  static constexpr const char* kMenuNames[platform::kMenuIdCount] = {
      "(none)",         "mnuNew",   "mnuOpen",   "mnuExit",      "mnuViewList(0)", "mnuViewList(1)", "mnuViewList(2)",
      "mnuViewList(3)", "mnuQCopy", "mnuTopPos", "mnuPasteMode", "mnuUpMemo",      "mnuModeSave",    "mnuWinPosSave"};
};

}  // namespace fake
