#include "platform/win32/win32_accessible.h"

#include <algorithm>

#include "platform/win32/wide.h"

namespace platform {

Win32Annotations::Win32Annotations() {
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  com_ = SUCCEEDED(com);  // a thread already in another apartment still has COM
  if (FAILED(com) && com != RPC_E_CHANGED_MODE) return;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                              reinterpret_cast<void**>(&services_)))) {
    services_ = nullptr;
  }
}

Win32Annotations::~Win32Annotations() {
  Clear();
  if (services_) services_->Release();
  if (com_) CoUninitialize();
}

void Win32Annotations::Name(HWND control, const std::string& name) {
  if (!services_) return;
  services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, Wide(name).c_str());
  if (std::find(named_.begin(), named_.end(), control) == named_.end()) named_.push_back(control);
  NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void Win32Annotations::Describe(HWND list, int entry, const std::string& description) {
  if (!services_) return;
  MSAAPROPID property = PROPID_ACC_DESCRIPTION;
  if (describedList_) services_->ClearHwndProps(describedList_, OBJID_CLIENT, describedChild_, &property, 1);
  describedList_ = entry >= 0 ? list : nullptr;
  describedChild_ = entry + 1;  // child 0 is the list box itself
  if (!describedList_) return;
  services_->SetHwndPropStr(list, OBJID_CLIENT, describedChild_, property, Wide(description).c_str());
  NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, list, OBJID_CLIENT, describedChild_);
}

void Win32Annotations::Clear() {
  if (!services_) return;
  Describe(nullptr, -1, "");
  MSAAPROPID name = PROPID_ACC_NAME;
  for (HWND control : named_) services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &name, 1);
  named_.clear();
}

Win32Notice::~Win32Notice() {
  if (automation_) FreeLibrary(automation_);
}

void Win32Notice::Say(HWND window, const std::string& text, const wchar_t* activity) {
  // Loaded at the first notice, so the program starts without it; from the system's folder only,
  // never one beside the program or the current one, where anyone may have put a library of that name.
  if (!automation_ && (automation_ = LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))) {
    hostProvider_ = reinterpret_cast<decltype(hostProvider_)>(
        reinterpret_cast<void*>(GetProcAddress(automation_, "UiaHostProviderFromHwnd")));
    raise_ = reinterpret_cast<decltype(raise_)>(
        reinterpret_cast<void*>(GetProcAddress(automation_, "UiaRaiseNotificationEvent")));
  }
  IUnknown* provider = nullptr;
  if (!hostProvider_ || !raise_ || FAILED(hostProvider_(window, &provider)) || !provider) return;
  BSTR words = SysAllocString(Wide(text).c_str());
  BSTR kind = SysAllocString(activity);
  // NotificationKind_ActionCompleted; NotificationProcessing_MostRecent: after what is being said, the
  // newest of its activity.
  constexpr int kActionCompleted = 2, kMostRecent = 3;
  raise_(provider, kActionCompleted, kMostRecent, words, kind);
  SysFreeString(kind);
  SysFreeString(words);
  provider->Release();
}

}  // namespace platform
