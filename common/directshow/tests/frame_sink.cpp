#include "common/directshow/tests/frame_sink.h"

#include <uuids.h>

#include <cstdlib>
#include <cstring>

#include "common/directshow/win32/video_formats.h"

namespace kz8::directshow::testkit {

HRESULT FrameSink::checkInputType(const MediaType& in) {
    const auto format = videoFormatOf(in.get());
    return format && format->subtype == MEDIASUBTYPE_RGB24 ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT FrameSink::transform(IMediaSample* in, IMediaSample*) {
    AM_MEDIA_TYPE connected{};
    if (FAILED(input().ConnectionMediaType(&connected))) return S_FALSE;
    const auto format = videoFormatOf(connected);
    freeMediaType(connected);
    BYTE* bytes = nullptr;
    if (!format || FAILED(in->GetPointer(&bytes))) return S_FALSE;
    const int width = int(format->width), height = std::abs(int(format->height));
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    if (size_t(in->GetActualDataLength()) < stride * size_t(height)) return S_FALSE;
    std::vector<uint8_t> rows(size_t(width) * 3 * size_t(height));
    const bool bottomUp = format->height > 0;
    for (int y = 0; y < height; ++y)
        std::memcpy(rows.data() + size_t(y) * width * 3,
                    bytes + size_t(bottomUp ? height - 1 - y : y) * stride, size_t(width) * 3);
    SectionLock lock(guard_);
    latest_.swap(rows);
    width_ = width;
    height_ = height;
    ++frames_;
    return S_OK;
}

std::vector<uint8_t> FrameSink::latest(int& width, int& height) {
    SectionLock lock(guard_);
    width = width_;
    height = height_;
    return latest_;
}

}  // namespace kz8::directshow::testkit
