#include "outside/capture/camera/camera_stream.h"

#include <cstring>
#include <vector>

#include "common/directshow/win32/hresult.h"
#include "outside/capture/camera/camera_frames.h"
#include "outside/capture/camera/page_list.h"
#include "outside/capture/capture_ids.h"

namespace kz8::capture::testkit {

using directshow::check;
using directshow::MediaType;

namespace {
// Enough for a renderer to hold one while the next is filled.
constexpr long kBuffers = 3;
}  // namespace

CameraStream::CameraStream(directshow::BaseFilter& filter, const std::atomic<bool>& inverted,
                           bool offersPages)
    : SourceStream(filter, L"Capture"), inverted_(inverted), offersPages_(offersPages) {}

void* CameraStream::interfaceFor(REFIID iid) {
    if (iid == IID_IAMStreamConfig) return static_cast<IAMStreamConfig*>(this);
    if (iid == IID_IKsPropertySet) return static_cast<IKsPropertySet*>(&category_);
    if (iid == IID_ISpecifyPropertyPages && offersPages_) {
        return static_cast<ISpecifyPropertyPages*>(this);
    }
    return SourceStream::interfaceFor(iid);
}

STDMETHODIMP CameraStream::GetPages(CAUUID* pages) { return handOutPage(kFormatPage, pages); }

CameraMode CameraStream::format() {
    SectionLock lock(formatLock_);
    return format_;
}

void CameraStream::setNextFormat(const CameraMode& mode) {
    SectionLock lock(formatLock_);
    format_ = mode;
}

HRESULT CameraStream::checkMediaType(const MediaType& type) {
    std::optional<CameraMode> mode = offeredMode(type.get());
    return mode && *mode == format() ? S_OK : S_FALSE;
}

bool CameraStream::mediaType(int index, MediaType& type) {
    const CameraMode current = format();
    if (index == 0) {
        type = mediaTypeOf(current);
        return true;
    }
    int others = 0;
    for (const CameraMode& mode : cameraModes()) {
        if (mode != current && ++others == index) {
            type = mediaTypeOf(mode);
            return true;
        }
    }
    return false;
}

// The connection's type may be the receiver's copy of ours.
CameraMode CameraStream::connectedMode() const {
    return offeredMode(connectionType().get()).value_or(kDefaultMode);
}

HRESULT CameraStream::decideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    return directshow::requireBuffers(allocator, *request, kBuffers,
                                      static_cast<long>(largestFrameBytes(connectedMode())));
}

// Each run from stopped starts counting frames at 0.
HRESULT CameraStream::activate() {
    streaming_ = connectedMode();
    counter_ = 0;
    pacer_.restart();
    return SourceStream::activate();
}

HRESULT CameraStream::fillBuffer(IMediaSample* sample) {
    if (!waitUnlessStopping(pacer_.nextWait())) return S_FALSE;
    const uint32_t counter = counter_++;
    std::vector<uint8_t> frame = cameraFrame(streaming_, counter, inverted_);
    BYTE* data = nullptr;
    check(sample->GetPointer(&data));
    if (sample->GetSize() < static_cast<long>(frame.size())) return VFW_E_BUFFER_OVERFLOW;
    std::memcpy(data, frame.data(), frame.size());
    check(sample->SetActualDataLength(static_cast<long>(frame.size())));
    // No time stamps: the renderer draws each frame as it arrives.
    check(sample->SetTime(nullptr, nullptr));
    sample->SetMediaTime(nullptr, nullptr);
    check(sample->SetSyncPoint(TRUE));
    check(sample->SetDiscontinuity(counter == 0));
    return S_OK;
}

}  // namespace kz8::capture::testkit
