// A sink for tests on the transform skeleton: it takes 24-bit RGB video
// only and keeps the latest frame as 24-bit top-down rows.
#pragma once

#include <windows.h>

#include <dshow.h>

#include <atomic>
#include <vector>

#include "common/directshow/win32/transform_filter.h"
#include "common/win32/critical_section.h"

namespace kz8::directshow::testkit {

constexpr CLSID kFrameSink = {
    0x5e0c7a31, 0x7d1e, 0x4c2b, {0x9a, 0x11, 0x3d, 0x52, 0x61, 0x0f, 0x7e, 0x21}};

class FrameSink : public TransformFilter {
public:
    FrameSink() : TransformFilter(kFrameSink, Kind::sink) {}

    HRESULT checkInputType(const MediaType& in) override;
    HRESULT transform(IMediaSample* in, IMediaSample* out) override;

    int frames() const { return frames_; }
    // The latest frame, top-down, width * 3 bytes a row; empty before one.
    std::vector<uint8_t> latest(int& width, int& height);

private:
    std::atomic<int> frames_{0};
    CriticalSection guard_;
    std::vector<uint8_t> latest_;
    int width_ = 0, height_ = 0;
};

}  // namespace kz8::directshow::testkit
