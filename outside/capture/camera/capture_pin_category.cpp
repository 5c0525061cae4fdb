#include "outside/capture/camera/capture_pin_category.h"

#include <uuids.h>
#include <vfwmsgs.h>

#include <cstring>

namespace kz8::capture::testkit {

namespace {
HRESULT checkProperty(REFGUID set, DWORD id) {
    if (set != AMPROPSETID_Pin) return E_PROP_SET_UNSUPPORTED;
    return id == AMPROPERTY_PIN_CATEGORY ? S_OK : E_PROP_ID_UNSUPPORTED;
}
}  // namespace

// The category is the pin's nature, not a setting.
STDMETHODIMP CapturePinCategory::Set(REFGUID set, DWORD id, void*, DWORD, void*, DWORD) {
    HRESULT known = checkProperty(set, id);
    return FAILED(known) ? known : E_NOTIMPL;
}

STDMETHODIMP CapturePinCategory::Get(REFGUID set, DWORD id, void*, DWORD, void* data,
                                     DWORD dataBytes, DWORD* returned) {
    HRESULT known = checkProperty(set, id);
    if (FAILED(known)) return known;
    if (!data && !returned) return E_POINTER;
    if (returned) *returned = sizeof(GUID);
    if (!data) return S_OK;
    if (dataBytes < sizeof(GUID)) return E_UNEXPECTED;
    std::memcpy(data, &PIN_CATEGORY_CAPTURE, sizeof(GUID));
    return S_OK;
}

STDMETHODIMP CapturePinCategory::QuerySupported(REFGUID set, DWORD id, DWORD* support) {
    HRESULT known = checkProperty(set, id);
    if (FAILED(known)) return known;
    if (support) *support = KSPROPERTY_SUPPORT_GET;
    return S_OK;
}

}  // namespace kz8::capture::testkit
