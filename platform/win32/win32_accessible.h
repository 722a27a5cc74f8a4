// Names for assistive technology where no label can stand before a control:
// Windows' documented dynamic annotation of the control's Name, which the
// system's own accessible object for the control then reports.
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
  // While the controls live (the window's WM_DESTROY): the names go back to the system.
  void Clear();

 private:
  IAccPropServices* services_ = nullptr;
  bool com_ = false;
  std::vector<HWND> named_;
};

}  // namespace platform
