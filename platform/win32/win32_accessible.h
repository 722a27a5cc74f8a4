// What assistive technology hears beyond the system's own accessible objects:
// names where no label can stand before a control and the selected entry's
// description, by Windows' documented dynamic annotation (which the system's
// object then reports), and passing notices by UI Automation's notification.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>
#include <vector>

namespace platform {

class Win32Annotations {
 public:
  Win32Annotations();  // without COM or the annotation service, nothing is named
  ~Win32Annotations();
  Win32Annotations(const Win32Annotations&) = delete;
  Win32Annotations& operator=(const Win32Annotations&) = delete;

  // Names the control, and tells assistive technology that its name changed.
  void Name(HWND control, const std::string& name);
  // Describes one entry of a list box (0 the first, -1 none), and no other: the entry
  // described before goes back to the system's description.
  void Describe(HWND list, int entry, const std::string& description);
  // While the controls live (the window's WM_DESTROY): the names go back to the system.
  void Clear();

 private:
  IAccPropServices* services_ = nullptr;
  bool com_ = false;
  std::vector<HWND> named_;
  HWND describedList_ = nullptr;
  long describedChild_ = CHILDID_SELF;
};

// Tells a screen reader a short text and shows nothing: UI Automation's notification on
// the window, where the system has it (Windows 10 1709 and later), else nothing.
class Win32Notice {
 public:
  Win32Notice() = default;
  ~Win32Notice();
  Win32Notice(const Win32Notice&) = delete;
  Win32Notice& operator=(const Win32Notice&) = delete;

  // activity: names the kind of notice, so that a newer one of a kind replaces the older.
  void Say(HWND window, const std::string& text, const wchar_t* activity);

 private:
  HMODULE automation_ = nullptr;
  // UiaHostProviderFromHwnd and UiaRaiseNotificationEvent, with the provider as IUnknown.
  HRESULT(WINAPI* hostProvider_)(HWND, IUnknown**) = nullptr;
  HRESULT(WINAPI* raise_)(IUnknown*, int, int, BSTR, BSTR) = nullptr;
};

}  // namespace platform
