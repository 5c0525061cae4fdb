// The converter stand-in: what a camera delivers (RGB24, RGB32, RGB565,
// RGB555 or YUY2) into bottom-up RGB24 of the same size, as the platform's
// Color Space Converter does in a capture graph. Like that filter it offers
// its output type only once its input is connected, since the size comes
// from upstream.
#pragma once

#include <windows.h>

#include "common/directshow/win32/transform_filter.h"

namespace kz8::capture::testkit {

class ColourConverter : public directshow::TransformFilter {
public:
    ColourConverter();

    HRESULT checkInputType(const directshow::MediaType& in) override;
    HRESULT checkTransform(const directshow::MediaType& in,
                           const directshow::MediaType& out) override;
    bool outputType(int index, const directshow::MediaType& in,
                    directshow::MediaType& out) override;
    HRESULT decideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT transform(IMediaSample* in, IMediaSample* out) override;
};

// For the class factory.
HRESULT createColourConverter(REFIID iid, void** out);

}  // namespace kz8::capture::testkit
