#include "platform/win32/win32_controls.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "platform/win32/wide.h"

namespace platform {

RECT ChildRect(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MoveChild(HWND child, int x, int y) {
  SetWindowPos(child, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SizeChild(HWND child, int width, int height) {
  SetWindowPos(child, nullptr, 0, 0, std::max(0, width), std::max(0, height),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Win32ListBox::Win32ListBox(HWND hwnd, const Twips& twips, Win32Annotations& names, std::string name)
    : hwnd_(hwnd), twips_(twips), names_(names), name_(std::move(name)) {
  SetWindowSubclass(hwnd_, Keys, 0, reinterpret_cast<DWORD_PTR>(this));
  ShowsList("");
}

LRESULT CALLBACK Win32ListBox::Keys(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(hwnd, Keys, 0);
  if (message != WM_CHAR || wParam < L' ') return DefSubclassProc(hwnd, message, wParam, lParam);
  reinterpret_cast<Win32ListBox*>(self)->Typed(static_cast<wchar_t>(wParam));
  return 0;
}

std::wstring Win32ListBox::Text(int entry) const {
  std::wstring text(static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageW(hwnd_, LB_GETTEXTLEN, entry, 0))) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      std::max<LRESULT>(0, SendMessageW(hwnd_, LB_GETTEXT, entry, reinterpret_cast<LPARAM>(text.data())))));
  return text;
}

std::string Win32ListBox::Notice(const std::string& code) const {
  const int selected = ListIndex();
  return ListNotice(ListBoxName(name_, title_), selected >= 0 ? Utf8(Text(selected)) : "", code);
}

namespace {
// Windows compares typed characters case-blind by its uppercase table.
char32_t UpperCharacter(wchar_t* units, std::size_t count) {
  CharUpperBuffW(units, static_cast<DWORD>(count));
  std::size_t i = 0;
  return NextCharacter({reinterpret_cast<const char16_t*>(units), count}, i);
}
}  // namespace

void Win32ListBox::Typed(wchar_t unit) {
  // A character beyond the Basic Multilingual Plane comes as two WM_CHARs, its surrogates.
  if (IS_HIGH_SURROGATE(unit)) {
    high_ = unit;
    return;
  }
  wchar_t units[2] = {std::exchange(high_, L'\0'), unit};
  const bool pair = units[0] != L'\0' && IS_LOW_SURROGATE(unit);
  const char32_t typed = pair ? UpperCharacter(units, 2) : UpperCharacter(units + 1, 1);
  const int selected = ListIndex();
  const int next = TypedEntry(keys_, selected, typed);
  if (next < 0 || next == selected) return;
  SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(next), 0);
  // As after the list box's own keys: the window raises lstMain_Click.
  SendMessageW(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(hwnd_));
}

void Win32ListBox::Quiet() {
  if (quiet_) return;
  quiet_ = true;
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  PostMessageW(GetParent(hwnd_), kListRedrawMessage, 0, 0);
}

void Win32ListBox::Insert() const {
  if (waiting_.empty()) return;
  const auto count = std::count(waiting_.begin(), waiting_.end(), '\0');
  SendMessageW(hwnd_, LB_INITSTORAGE, static_cast<WPARAM>(count), waiting_.size() * sizeof(wchar_t));
  std::wstring names = Wide(waiting_);
  // Without LBS_SORT the list box appends; neither call notifies.
  for (std::size_t start = 0; start < names.size(); start = names.find(L'\0', start) + 1) {
    SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names.c_str() + start));
  }
  // What a typed character looks at, kept here: the list box would take a message per entry.
  CharUpperBuffW(names.data(), static_cast<DWORD>(names.size()));
  const std::u16string_view upper(reinterpret_cast<const char16_t*>(names.data()), names.size());
  for (std::size_t start = 0; start < upper.size(); start = upper.find(u'\0', start) + 1) {
    keys_.push_back(KeysOf(upper.substr(start, upper.find(u'\0', start) - start), [](char32_t c) { return c; }));
  }
  waiting_.clear();
}

void Win32ListBox::Redraw() {
  Insert();
  if (!quiet_) return;
  quiet_ = false;
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32ListBox::Clear() {
  names_.Describe(hwnd_, -1, "");
  Quiet();
  waiting_.clear();
  SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
  keys_.clear();
  selected_ = -1;
}

bool Win32ListBox::SelectionChanged() {
  const int now = ListIndex();
  return std::exchange(selected_, now) != now;
}

void Win32ListBox::AddItem(const std::string& item) {
  Quiet();
  // A name holds no NUL that matters: the list box would show it only up to one.
  waiting_.append(item.c_str());
  waiting_ += '\0';
}

int Win32ListBox::ListIndex() const {
  Insert();
  const LRESULT index = SendMessageW(hwnd_, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void Win32ListBox::SetTop(double v) { MoveChild(hwnd_, ChildRect(hwnd_).left, twips_.Y(v)); }
void Win32ListBox::SetLeft(double v) { MoveChild(hwnd_, twips_.X(v), ChildRect(hwnd_).top); }

void Win32ListBox::SetWidth(double v) {
  const RECT r = ChildRect(hwnd_);
  SizeChild(hwnd_, twips_.X(v), r.bottom - r.top);
}

void Win32ListBox::SetHeight(double v) {
  const RECT r = ChildRect(hwnd_);
  SizeChild(hwnd_, r.right - r.left, twips_.Y(v));
}

std::string Win32TextBox::Text() const {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
  return Utf8(text);
}

void Win32TextBox::SetText(const std::string& v) { SetWindowTextW(hwnd_, Wide(v).c_str()); }

double Win32TextBox::Width() const {
  const RECT r = ChildRect(hwnd_);
  return twips_.FromX(r.right - r.left);
}

void Win32TextBox::SetWidth(double v) {
  const RECT r = ChildRect(hwnd_);
  SizeChild(hwnd_, twips_.X(v), r.bottom - r.top);
}

void Win32Button::SetWidth(double v) {
  const RECT r = ChildRect(hwnd_);
  SizeChild(hwnd_, twips_.X(v), r.bottom - r.top);
}

void Win32OptionGroup::Select(int index) {
  if (index == selected_) return;
  for (int i = 0; i < count_; ++i) {
    SendMessageW(buttons_[i], BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  Raise(index);
}

void Win32OptionGroup::Unselect(int index) {
  SendMessageW(buttons_[index], BM_SETCHECK, BST_UNCHECKED, 0);
  if (index == selected_) selected_ = -1;
}

void Win32OptionGroup::Clicked(HWND hwnd) {
  for (int i = 0; i < count_; ++i) {
    // An auto radio button has checked itself; a click on the selected one changes nothing.
    if (buttons_[i] == hwnd && i != selected_ && SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED) Raise(i);
  }
}

bool Win32OptionGroup::Owns(HWND hwnd) const {
  return std::find(buttons_.begin(), buttons_.begin() + count_, hwnd) != buttons_.begin() + count_;
}

void Win32OptionGroup::Raise(int index) {
  selected_ = index;
  events_->optList_Click(index);
}

bool Win32MenuItem::Checked() const { return GetMenuState(bar_, command_, MF_BYCOMMAND) & MF_CHECKED; }

void Win32MenuItem::SetChecked(bool v) {
  CheckMenuItem(bar_, command_, MF_BYCOMMAND | (v ? MF_CHECKED : MF_UNCHECKED));
  if (v && onChecked_) onChecked_();
}

void Win32Timer::SetInterval(int milliseconds) {
  if (milliseconds <= 0)
    KillTimer(hwnd_, kId);
  else
    SetTimer(hwnd_, kId, static_cast<UINT>(milliseconds), nullptr);
}

// Another program may hold the clipboard for a moment.
bool Win32Clipboard::Open() const {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(owner_)) return true;
    Sleep(10);
  }
  return false;
}

void Win32Clipboard::Clear() {
  if (!Open()) return;
  EmptyClipboard();
  CloseClipboard();
}

void Win32Clipboard::SetText(const std::string& text) {
  const std::wstring wide = Wide(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return;
  std::copy_n(wide.c_str(), wide.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
  GlobalUnlock(memory);
  // Windows offers the text as CF_TEXT too, in the system's code page.
  if (!Open()) {
    GlobalFree(memory);
    return;
  }
  EmptyClipboard();
  const bool copied = SetClipboardData(CF_UNICODETEXT, memory);
  if (!copied) GlobalFree(memory);
  CloseClipboard();
  if (copied) copied_(text);
}

bool Win32OpenDialog::ShowOpen() {
  // "desc|patterns|..." with every "|" a NUL, and the list ended by two.
  std::wstring filter = Wide(filter_);
  std::replace(filter.begin(), filter.end(), L'|', L'\0');
  filter += L'\0';
  std::vector<wchar_t> file(32768, L'\0');
  const std::wstring kept = Wide(fileName_);
  std::copy_n(kept.c_str(), std::min(kept.size(), file.size() - 1), file.data());

  OPENFILENAMEW open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = owner_;
  open.lpstrFilter = filter.c_str();
  open.lpstrFile = file.data();
  open.nMaxFile = static_cast<DWORD>(file.size());
  open.Flags = static_cast<DWORD>(flags_) | OFN_EXPLORER;
  if (GetOpenFileNameW(&open)) {
    fileName_ = Utf8(file.data());
    return true;
  }
  // Nothing went wrong: the user cancelled.
  if (CommDlgExtendedError() == 0) return !cancelError_;
  return false;
}

}  // namespace platform
