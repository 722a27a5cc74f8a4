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

void Win32Annotations::Clear() {
  MSAAPROPID name = PROPID_ACC_NAME;
  for (HWND control : named_) services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, &name, 1);
  named_.clear();
}

}  // namespace platform
