// A capture device's frame as the DibFilter and GetRenderDib handle it: any
// width and signed height a media type may claim, any sample length and
// bytes, packed and turned into a DIB. Input: width (4 bytes), height (4
// bytes, signed), then the sample.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "capture/portable/frame_rows.h"
#include "capture/portable/render_dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8) return 0;
    int32_t width = 0, height = 0;
    std::memcpy(&width, data, 4);
    std::memcpy(&height, data + 4, 4);
    const auto shape = kz8::capture::rgb24FrameShape(width, height);
    // Keep to pictures a sample of this size could hold, so that a run
    // does not spend itself on huge zero-filled buffers.
    if (!shape || shape->packedBytes() > (size_t{1} << 22)) return 0;
    std::vector<uint8_t> packed(shape->packedBytes());
    if (!kz8::capture::packSample(*shape, data + 8, size - 8, packed.data())) return 0;
    const auto layout = kz8::capture::renderDibLayout(shape->width, shape->height);
    if (!layout) return 0;
    std::vector<uint8_t> dib(layout->totalSize);
    kz8::capture::writeRenderDib(*layout, packed.data(), dib.data());
    return 0;
}
