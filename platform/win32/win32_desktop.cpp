#include "platform/win32/win32_desktop.h"

#include <commctrl.h>

#include <cmath>
#include <utility>

#include "platform/win32/wide.h"

namespace platform {
namespace {

NullEvents noEvents;

constexpr wchar_t kWindowClass[] = L"TovuWindow";
constexpr int kListId = 10, kButtonId = 11, kCodeId = 12, kLabelId = 13, kOptionId = 20;

// The console handler runs on a thread of its own: it asks the window to end
// the session and waits until the settings are written.
HWND consoleWindow = nullptr;  // the desktop's while it lives
HANDLE consoleEnded = nullptr;

BOOL WINAPI ConsoleEvent(DWORD) {
  if (!consoleWindow) return FALSE;
  PostMessageW(consoleWindow, kSessionEndMessage, 0, 0);
  WaitForSingleObject(consoleEnded, 5000);
  return TRUE;
}

HFONT MakeFont(const FontDesign& design, int dpi) {
  if (design.name.empty()) return nullptr;
  return CreateFontW(-static_cast<int>(std::lround(design.points * dpi / 72)), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, Wide(design.name).c_str());
}

// "Ctrl+G" as an accelerator key.
std::optional<ACCEL> Accelerator(const std::string& shortcut, UINT command) {
  if (shortcut.size() != 6 || !shortcut.starts_with("Ctrl+")) return std::nullopt;
  return ACCEL{FCONTROL | FVIRTKEY, static_cast<WORD>(shortcut.back()), static_cast<WORD>(command)};
}

}  // namespace

void Win32WindowSystem::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                                     int flags) {
  HWND after = HWND_TOP;
  UINT how = (flags & kKeepSize ? SWP_NOSIZE : 0) | (flags & kKeepPlace ? SWP_NOMOVE : 0);
  if (insertAfter == InsertTopmost) after = HWND_TOPMOST;
  if (insertAfter == InsertBottom) {
    after = HWND_BOTTOM;
    // Activating brings a window to the top again; the window is active already.
    how |= SWP_NOACTIVATE;
  }
  ::SetWindowPos(reinterpret_cast<HWND>(window), after, x, y, cx, cy, how);
}

Win32Desktop::Win32Desktop(HINSTANCE instance, const FormDesign& design, Win32System& system)
    : events_(&noEvents), system_(system), form_(events_, twips_), screen_(form_, twips_), windowSystem_([this] {
        Ended();
      }) {
  // The controls' classes (the tooltip's among them), from the common controls the manifest names.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  HDC screen = GetDC(nullptr);
  dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
  twips_ = {1440.0 / GetDeviceCaps(screen, LOGPIXELSX), 1440.0 / dpiY_};
  ReleaseDC(nullptr, screen);
  if (!RegisterWindowClass(instance) || !CreateFrame(instance, design)) return;
  CreateControls(design);
  if (!design.cmdCopy.toolTip.empty()) CreateToolTip(instance, design.cmdCopy.toolTip);
  form_.SetClientSize(twips_.X(design.clientWidth), twips_.Y(design.clientHeight));
  focus_ = list_->hwnd();
  // A console's close (Ctrl+C, its window closed) ends the program through the window.
  consoleWindow = hwnd();
  consoleEnded = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(ConsoleEvent, TRUE);
  console_ = true;
}

Win32Desktop::~Win32Desktop() {
  events_ = &noEvents;
  if (console_) {
    SetConsoleCtrlHandler(ConsoleEvent, FALSE);
    consoleWindow = nullptr;
    CloseHandle(std::exchange(consoleEnded, nullptr));
  }
  if (toolTip_) DestroyWindow(toolTip_);
  if (form_.Handle()) DestroyWindow(form_.Handle());
  if (acceleratorTable_) DestroyAcceleratorTable(acceleratorTable_);
  for (HFONT font : fonts_) DeleteObject(font);
}

bool Win32Desktop::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  // A second desktop in one process finds the class there already.
  return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The window with its menu bar and the menus' accelerators.
bool Win32Desktop::CreateFrame(HINSTANCE instance, const FormDesign& design) {
  bar_ = CreateMenu();
  menus_.resize(kMenuIdCount);
  for (const MenuDesign& menu : design.menus) BuildMenu(bar_, menu);
  acceleratorTable_ = CreateAcceleratorTableW(accelerators_.data(), static_cast<int>(accelerators_.size()));
  const HWND hwnd =
      CreateWindowExW(0, kWindowClass, Wide(design.caption).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                      CW_USEDEFAULT, CW_USEDEFAULT, 300, 400, nullptr, bar_, instance, this);
  if (!hwnd) {
    DestroyMenu(bar_);  // a window would have taken it
    return false;
  }
  form_.SetHandle(hwnd);
  return true;
}

void Win32Desktop::CreateControls(const FormDesign& design) {
  HFONT windowFont = MakeFont(design.font, dpiY_);
  if (windowFont)
    fonts_.push_back(windowFont);
  else
    windowFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const auto fontOf = [&](const ControlDesign& control) {
    HFONT own = MakeFont(control.font, dpiY_);
    if (!own) return windowFont;
    fonts_.push_back(own);
    return own;
  };
  // In tab order; each control starts a group of its own but the option buttons.
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  const HWND list = AddControl(L"LISTBOX", design.lstMain,
                               kChild | WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                               WS_EX_CLIENTEDGE, fontOf(design.lstMain), kListId);
  const HWND button = AddControl(L"BUTTON", design.cmdCopy, kChild | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0,
                                 fontOf(design.cmdCopy), kButtonId);
  // The label just before the code box in the window order names it for assistive technology; it takes no
  // focus, so the tab order stays as designed.
  const HWND label = AddControl(L"STATIC", design.lblCode, kChild | WS_GROUP | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0,
                                fontOf(design.lblCode), kLabelId);
  const HWND code = AddControl(L"EDIT", design.txtCode, kChild | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL,
                               WS_EX_CLIENTEDGE, fontOf(design.txtCode), kCodeId);
  SendMessageW(code, EM_SETLIMITTEXT, 0, 0);  // no limit of its own
  group_ = std::make_unique<Win32OptionGroup>(events_, twips_);
  for (int i = 0; i < 4; ++i) {
    const HWND option =
        AddControl(L"BUTTON", design.optList[i], kChild | WS_TABSTOP | BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), 0,
                   fontOf(design.optList[i]), kOptionId + i);
    if (i == 0) SendMessageW(option, BM_SETCHECK, BST_CHECKED, 0);
    group_->Add(option);
    options_[i] = std::make_unique<Win32OptionButton>(*group_, i);
  }
  list_ = std::make_unique<Win32ListBox>(list, twips_, annotations_, design.lstMain.accessibleName);
  code_ = std::make_unique<Win32TextBox>(code, twips_);
  label_ = std::make_unique<Win32Label>(label, twips_);
  button_ = std::make_unique<Win32Button>(button, twips_);
  timer_ = std::make_unique<Win32Timer>(hwnd());
  dialog_ = std::make_unique<Win32OpenDialog>(hwnd());
  // A copy made while a selection is handled is heard with the entry; any other on its own.
  clipboard_ = std::make_unique<Win32Clipboard>(hwnd(), [this](const std::string& text) {
    if (!copies_.Copy()) notice_.Say(hwnd(), CopyNotice(text), L"copy");
  });
}

void Win32Desktop::CreateToolTip(HINSTANCE instance, const std::string& text) {
  // Owned by no window: under Wine a window that owns a topmost tooltip
  // cannot be made topmost itself.
  toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  std::wstring tipText = Wide(text);  // the tooltip keeps a copy
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(button_->hwnd());
  tool.lpszText = tipText.data();
  SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND Win32Desktop::AddControl(const wchar_t* kind, const ControlDesign& design, DWORD style, DWORD extendedStyle,
                              HFONT font, int id) {
  const HWND control =
      CreateWindowExW(extendedStyle, kind, Wide(design.caption).c_str(), style, twips_.X(design.left),
                      twips_.Y(design.top), twips_.X(design.width), twips_.Y(design.height), hwnd(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void Win32Desktop::BuildMenu(HMENU parent, const MenuDesign& design) {
  if (design.caption == "-") {
    AppendMenuW(parent, MF_SEPARATOR, 0, nullptr);
  } else if (!design.items.empty()) {
    const HMENU menu = CreatePopupMenu();
    for (const MenuDesign& item : design.items) BuildMenu(menu, item);
    AppendMenuW(parent, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu), Wide(design.caption).c_str());
  } else {
    const UINT command = kCommandBase + static_cast<UINT>(design.id);
    const std::string text = design.shortcut.empty() ? design.caption : design.caption + "\t" + design.shortcut;
    AppendMenuW(parent, MF_STRING, command, Wide(text).c_str());
    if (const std::optional<ACCEL> key = Accelerator(design.shortcut, command)) accelerators_.push_back(*key);
    std::function<void()> checked;
    if (ListOf(design.id) >= 0) {
      checked = [this, title = CaptionWords(design.caption)] {
        list_->ShowsList(title);
        ListChosen();
      };
    }
    menus_[static_cast<int>(design.id)] = std::make_unique<Win32MenuItem>(bar_, command, checked);
  }
}

void Win32Desktop::ListChosen() {
  // Not of the window's first list; not when the focus stays in the list after the menu, where a
  // screen reader reads the list, by its new name, as the menu closes; once for a handler.
  if (!IsWindowVisible(hwnd()) || (menuCommand_ && GetFocus() == list_->hwnd()) || listNoticeWaiting_) return;
  listNoticeWaiting_ = PostMessageW(hwnd(), kListNoticeMessage, 0, 0);
}

void Win32Desktop::Show() {
  RECT outer;
  GetWindowRect(hwnd(), &outer);
  const PixelRect frame = PixelRectOf(outer);
  const PixelRect reach = InReach(frame, GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME), Screens());
  if (!(reach == frame)) {
    ::SetWindowPos(hwnd(), nullptr, reach.left, reach.top, reach.width, reach.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // The first show lays the window out and records it, once.
  form_.ForgetRaised();
  ShowWindow(hwnd(), SW_SHOWDEFAULT);
  UpdateWindow(hwnd());
  SetFocus(list_->hwnd());
  form_.RaiseResize(false);
}

int Win32Desktop::Run() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // The menu's shortcuts work wherever the focus is; Tab and the arrow keys
    // move between the controls as in a dialog.
    if (hwnd() && (TranslateAcceleratorW(hwnd(), acceleratorTable_, &message) || IsDialogMessageW(hwnd(), &message))) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

LRESULT CALLBACK Win32Desktop::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* desktop = static_cast<Win32Desktop*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(desktop));
    desktop->form_.SetHandle(hwnd);
  }
  auto* desktop = reinterpret_cast<Win32Desktop*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!desktop) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    desktop->form_.SetHandle(nullptr);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return desktop->Handle(message, wParam, lParam);
}

LRESULT Win32Desktop::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: form_.RaiseResize(false); return 0;
    case WM_COMMAND: Command(wParam, lParam); return 0;
    case WM_TIMER:
      if (wParam == Win32Timer::kId) events_->tmrPasteMode_Timer();
      return 0;
    case WM_CLOSE: Close(CloseFromWindow); return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
      if (wParam) Close(CloseBySession);
      return 0;
    case kSessionEndMessage: Close(CloseBySession); return 0;
    case kListRedrawMessage: list_->Redraw(); return 0;
    case kListNoticeMessage:
      listNoticeWaiting_ = false;
      notice_.Say(hwnd(), list_->Notice(code_->Text()), L"list");
      return 0;
    case WM_ACTIVATE:
      // As a dialog does: the focus comes back to the control that had it.
      if (LOWORD(wParam) == WA_INACTIVE) {
        focus_ = GetFocus();
      } else if (focus_ && IsWindow(focus_)) {
        SetFocus(focus_);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
      // The option buttons' captions in the window-text colour.
      if (group_->Owns(reinterpret_cast<HWND>(lParam))) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_DESTROY:
      annotations_.Clear();
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd(), message, wParam, lParam);
}

void Win32Desktop::Command(WPARAM wParam, LPARAM lParam) {
  const auto control = reinterpret_cast<HWND>(lParam);
  const UINT id = LOWORD(wParam), code = HIWORD(wParam);
  if (!control) {
    // A menu item or its shortcut; IDOK and IDCANCEL from Enter and Escape are no command.
    if (id > kCommandBase && id < kCommandBase + kMenuIdCount) {
      menuCommand_ = code == 0;  // 1: the accelerator
      RaiseMenuClick(*events_, static_cast<MenuId>(id - kCommandBase));
      menuCommand_ = false;
    }
  } else if (control == list_->hwnd()) {
    if (code == LBN_SELCHANGE && list_->SelectionChanged()) {
      copies_.Select([this] { events_->lstMain_Click(); });
      list_->Describe(EntryDescription(code_->Text(), copies_.Copied()));
    }
  } else if (code == BN_CLICKED && group_->Owns(control)) {
    group_->Clicked(control);
  } else if (code == BN_CLICKED && id == kButtonId) {
    events_->cmdCopy_Click();
  }
}

void Win32Desktop::Close(int reason) {
  bool cancel = false;
  events_->Form_QueryUnload(cancel, reason);
}

void Win32Desktop::Ended() {
  if (ended_) return;
  ended_ = true;
  system_.Flush();
  // No handler runs from here on.
  events_ = &noEvents;
  timer_->SetInterval(0);
  if (consoleEnded) SetEvent(consoleEnded);
  DestroyWindow(hwnd());
}

}  // namespace platform
