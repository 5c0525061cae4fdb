#include "capture/win32/dib_filter.h"

#include <uuids.h>

#include <cstring>
#include <optional>

#include "common/directshow/win32/com_object.h"
#include "common/directshow/win32/hresult.h"
#include "common/directshow/win32/video_formats.h"

namespace kz8::capture {

using directshow::check;
using directshow::MediaType;

namespace {

std::optional<FrameShape> rgb24ShapeOf(const MediaType& type) {
    const std::optional<directshow::VideoFormat> format = directshow::videoFormatOf(type.get());
    if (!format || format->subtype != MEDIASUBTYPE_RGB24 || format->bitCount != 24 ||
        format->compression != BI_RGB) {
        return std::nullopt;
    }
    return rgb24FrameShape(format->width, format->height);
}

}  // namespace

DibFilter::DibFilter() : TransformFilter(kDibFilterClass, Kind::transform) {}

void* DibFilter::interfaceFor(REFIID iid) {
    if (iid == __uuidof(IDibFrameAccess)) return static_cast<IDibFrameAccess*>(this);
    return TransformFilter::interfaceFor(iid);
}

HRESULT DibFilter::checkInputType(const MediaType& in) {
    return rgb24ShapeOf(in) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

// The output carries the input's pictures unchanged.
HRESULT DibFilter::checkTransform(const MediaType& in, const MediaType& out) {
    const std::optional<FrameShape> from = rgb24ShapeOf(in);
    const std::optional<FrameShape> to = rgb24ShapeOf(out);
    return from && to && from->width == to->width && from->height == to->height &&
                   from->topDown == to->topDown
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}

bool DibFilter::outputType(int index, const MediaType& in, MediaType& out) {
    if (index != 0) return false;
    out = in;
    return true;
}

HRESULT DibFilter::decideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) {
    const std::optional<FrameShape> shape = rgb24ShapeOf(input().connectionType());
    if (!shape) return VFW_E_NOT_CONNECTED;
    return directshow::requireBuffers(allocator, *request, 1,
                                      static_cast<long>(shape->sampleBytes()));
}

HRESULT DibFilter::transform(IMediaSample* in, IMediaSample* out) {
    const std::optional<FrameShape> shape = rgb24ShapeOf(input().connectionType());
    if (!shape) return VFW_E_NOT_CONNECTED;
    BYTE* source = nullptr;
    check(in->GetPointer(&source));
    const auto length = static_cast<size_t>(in->GetActualDataLength());
    // A short sample is no picture; it is neither kept nor passed on.
    if (!keepFrame(*shape, source, length)) return S_FALSE;
    if (!out) return S_OK;
    BYTE* target = nullptr;
    check(out->GetPointer(&target));
    if (static_cast<size_t>(out->GetSize()) < length) return VFW_E_BUFFER_OVERFLOW;
    std::memcpy(target, source, length);
    return out->SetActualDataLength(static_cast<long>(length));
}

// The new frame is made in the spare block, outside the lock, so a reader
// holds the lock only for as long as its own copy takes.
bool DibFilter::keepFrame(const FrameShape& shape, const BYTE* sample, size_t sampleBytes) {
    const size_t bytes = shape.packedBytes();
    if (spare_.size() < bytes) spare_ = GlobalMemory::allocate(bytes, GMEM_MOVEABLE);
    if (!spare_) return false;
    {
        GlobalLockGuard rows(spare_.get());
        if (!rows || !packSample(shape, sample, sampleBytes, rows.bytes())) return false;
    }
    SectionLock lock(frameLock_);
    std::swap(frame_, spare_);
    frameShape_ = shape;
    return true;
}

STDMETHODIMP DibFilter::GetFrame(HGLOBAL* rows, LONG* width, LONG* height) {
    if (!rows || !width || !height) return E_POINTER;
    SectionLock lock(frameLock_);
    *rows = frame_.get();
    *width = frame_ ? frameShape_.width : 0;
    *height = frame_ ? frameShape_.height : 0;
    return S_OK;
}

STDMETHODIMP DibFilter::LockFrame(LONG lock) {
    if (lock == 1) {
        frameLock_.enter();
        if (lockDepth_++ == 0) lockOwner_ = GetCurrentThreadId();
        return S_OK;
    }
    if (lock != 0) return E_INVALIDARG;
    if (lockOwner_ != GetCurrentThreadId()) return E_UNEXPECTED;
    if (--lockDepth_ == 0) lockOwner_ = 0;
    frameLock_.leave();
    return S_OK;
}

ComPtr<IBaseFilter> createDibFilter() {
    return directshow::makeComObject<IBaseFilter, DibFilter>();
}

}  // namespace kz8::capture
