// The camera's output pin "Capture": frames of the current mode at a
// nominal 30 per second, without time stamps (a live picture is drawn as
// it comes). The mode is chosen through IAMStreamConfig while the pin is
// unconnected, or by the VfW format dialog for the next connection.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <atomic>
#include <cstdint>

#include "common/directshow/win32/source_stream.h"
#include "common/win32/critical_section.h"
#include "outside/capture/camera/camera_modes.h"
#include "outside/capture/camera/capture_pin_category.h"
#include "outside/capture/camera/frame_pacer.h"

namespace kz8::capture::testkit {

class CameraStream : public directshow::SourceStream,
                     public IAMStreamConfig,
                     public ISpecifyPropertyPages {
public:
    // `inverted` is the filter's source setting; `offersPages` whether the
    // pin names its format page.
    CameraStream(directshow::BaseFilter& filter, const std::atomic<bool>& inverted,
                 bool offersPages);

    // IAMStreamConfig
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) override;
    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pages) override;

    // Only the current mode connects; it is listed first, then the others.
    HRESULT checkMediaType(const directshow::MediaType& type) override;
    bool mediaType(int index, directshow::MediaType& type) override;
    HRESULT activate() override;

    CameraMode format();
    // The mode the next connection uses, whether or not the pin is connected now.
    void setNextFormat(const CameraMode& mode);

protected:
    HRESULT decideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT fillBuffer(IMediaSample* sample) override;
    void* interfaceFor(REFIID iid) override;

private:
    CameraMode connectedMode() const;

    const std::atomic<bool>& inverted_;
    bool offersPages_;
    CapturePinCategory category_{*this};
    // A lock of its own: a receiver may ask QueryAccept from inside a
    // delivery, while Stop holds the filter lock waiting for that delivery.
    CriticalSection formatLock_;
    CameraMode format_ = kDefaultMode;
    // The streaming thread's own, set before it starts.
    CameraMode streaming_ = kDefaultMode;
    uint32_t counter_ = 0;
    FramePacer pacer_{kFramesPerSecond};
};

}  // namespace kz8::capture::testkit
