// SPDX-License-Identifier: GPL-3.0-or-later
#include <initguid.h>
// initguid.h first: this file defines the service's GUIDs.
#include "win32/accessible_names.h"

#include <oleacc.h>

#include <array>

namespace tarrowen {

AccessibleNames::AccessibleNames() {
    void* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, &services)))
        services_ = static_cast<IAccPropServices*>(services);
}

AccessibleNames::~AccessibleNames() {
    clear();
    if (services_ != nullptr) services_->Release();
}

void AccessibleNames::annotate(HWND control, const std::wstring& name,
                               const std::wstring& description) {
    if (services_ == nullptr) return;
    bool any = false;
    if (!name.empty())
        any |= SUCCEEDED(services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF,
                                                   PROPID_ACC_NAME, name.c_str()));
    if (!description.empty())
        any |= SUCCEEDED(services_->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF,
                                                   PROPID_ACC_DESCRIPTION, description.c_str()));
    if (any) annotated_.push_back(control);
}

void AccessibleNames::clear() {
    if (services_ == nullptr) return;
    std::array<MSAAPROPID, 2> props{PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
    for (HWND control : annotated_)
        services_->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, props.data(),
                                  static_cast<int>(props.size()));
    annotated_.clear();
}

}  // namespace tarrowen
