#include "outside/capture/camera/camera_filter.h"

#include <optional>

#include "outside/capture/camera/camera_modes.h"
#include "outside/capture/camera/page_list.h"
#include "outside/capture/capture_ids.h"

namespace kz8::capture::testkit {

using directshow::makeComObject;

CameraFilter::CameraFilter(const CLSID& clsid, CameraKind kind)
    : SourceFilter(clsid), kind_(kind) {}

void* CameraFilter::interfaceFor(REFIID iid) {
    if (iid == IID_IPersistPropertyBag) return static_cast<IPersistPropertyBag*>(this);
    if (iid == IID_ICameraSource) return static_cast<ICameraSource*>(this);
    if (iid == IID_ISpecifyPropertyPages && kind_ != CameraKind::withVfwDialogs) {
        return static_cast<ISpecifyPropertyPages*>(this);
    }
    if (iid == IID_IAMVfwCaptureDialogs && kind_ == CameraKind::withVfwDialogs) {
        return static_cast<IAMVfwCaptureDialogs*>(&vfwDialogs_);
    }
    return SourceFilter::interfaceFor(iid);
}

STDMETHODIMP CameraFilter::GetClassID(CLSID* clsid) { return SourceFilter::GetClassID(clsid); }

STDMETHODIMP CameraFilter::InitNew() { return S_OK; }

// A test names the mode a device starts in with the value "KZ8Mode" of
// its registry entry; a camera without one starts in the default mode.
STDMETHODIMP CameraFilter::Load(IPropertyBag* bag, IErrorLog*) {
    if (kind_ == CameraKind::failingToBind) return E_FAIL;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    if (bag && SUCCEEDED(bag->Read(L"KZ8Mode", &value, nullptr)) && value.vt == VT_BSTR) {
        char text[32] = {};
        WideCharToMultiByte(CP_ACP, 0, value.bstrVal, -1, text, sizeof text - 1, nullptr, nullptr);
        if (std::optional<CameraMode> mode = parseCameraMode(text)) stream_.setNextFormat(*mode);
    }
    VariantClear(&value);
    return S_OK;
}

STDMETHODIMP CameraFilter::Save(IPropertyBag*, BOOL, BOOL) { return S_OK; }

STDMETHODIMP CameraFilter::GetPages(CAUUID* pages) { return handOutPage(kSourcePage, pages); }

STDMETHODIMP CameraFilter::GetInverted(BOOL* inverted) {
    if (!inverted) return E_POINTER;
    *inverted = inverted_ ? TRUE : FALSE;
    return S_OK;
}

STDMETHODIMP CameraFilter::SetInverted(BOOL inverted) {
    inverted_ = inverted != FALSE;
    return S_OK;
}

namespace {
HRESULT create(const CLSID& clsid, CameraKind kind, REFIID iid, void** out) {
    return makeComObject<IBaseFilter, CameraFilter>(clsid, kind)->QueryInterface(iid, out);
}
}  // namespace

HRESULT createCamera(REFIID iid, void** out) {
    return create(kTestCamera, CameraKind::withPages, iid, out);
}

HRESULT createVfwCamera(REFIID iid, void** out) {
    return create(kTestCameraVfw, CameraKind::withVfwDialogs, iid, out);
}

HRESULT createCameraFailingToBind(REFIID iid, void** out) {
    return create(kTestCameraBindFails, CameraKind::failingToBind, iid, out);
}

}  // namespace kz8::capture::testkit
