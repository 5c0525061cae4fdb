// The test camera: a live source filter with one output pin. Three
// classes share it: the camera with property pages, the VfW variant
// (IAMVfwCaptureDialogs instead of pages) and one whose
// IPersistPropertyBag::Load fails, which a device moniker reports as a
// failure to bind.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <atomic>

#include "common/directshow/win32/com_object.h"
#include "common/directshow/win32/source_filter.h"
#include "outside/capture/camera/camera_source.h"
#include "outside/capture/camera/camera_stream.h"
#include "outside/capture/camera/vfw_capture_dialogs.h"

namespace kz8::capture::testkit {

enum class CameraKind { withPages, withVfwDialogs, failingToBind };

class CameraFilter : public directshow::SourceFilter,
                     public IPersistPropertyBag,
                     public ISpecifyPropertyPages,
                     public ICameraSource {
public:
    CameraFilter(const CLSID& clsid, CameraKind kind);

    // Pause answers VFW_S_CANT_CUE, and frames flow only while running.
    bool isLive() const override { return true; }

    // IPersist, for IBaseFilter and IPersistPropertyBag alike
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    // IPersistPropertyBag: the device moniker loads us from our registry
    // entry, which holds nothing we need.
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pages) override;
    // ICameraSource
    STDMETHODIMP GetInverted(BOOL* inverted) override;
    STDMETHODIMP SetInverted(BOOL inverted) override;

protected:
    directshow::SourceStream& stream() override { return stream_; }
    void* interfaceFor(REFIID iid) override;

private:
    CameraKind kind_;
    std::atomic<bool> inverted_{false};
    directshow::ComClass<CameraStream> stream_{*this, inverted_,
                                               kind_ != CameraKind::withVfwDialogs};
    VfwCaptureDialogs vfwDialogs_{*this, stream_, inverted_};
};

HRESULT createCamera(REFIID iid, void** out);
HRESULT createVfwCamera(REFIID iid, void** out);
HRESULT createCameraFailingToBind(REFIID iid, void** out);

}  // namespace kz8::capture::testkit
