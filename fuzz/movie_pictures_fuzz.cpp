// A media layer's frame in any surface format the script names (kind,
// depth, masks, palette, size, pitch) over the fuzzer's bytes, then scaled
// to a size the script chooses.
#include <cstdint>
#include <optional>

#include "fuzz/fuzz_script.h"
#include "movie/portable/picture_scaler.h"
#include "movie/portable/surface_rows.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kz8::movie;
    kz8::fuzzing::FuzzScript script(data, size);
    SurfaceFormat format;
    format.kind = static_cast<SurfaceFormat::Kind>(script.next<uint8_t>() % 4);
    format.bitsPerPixel = script.next<uint8_t>() % 40;
    format.redMask = script.next<uint32_t>();
    format.greenMask = script.next<uint32_t>();
    format.blueMask = script.next<uint32_t>();
    format.palette.resize(script.next<uint8_t>());
    for (uint32_t& entry : format.palette) entry = script.next<uint32_t>();
    const int width = script.next<int16_t>() % 300;
    const int height = script.next<int16_t>() % 300;
    const size_t pitch = script.next<uint16_t>();
    const std::optional<BgrPicture> picture =
        surfaceToPicture(format, width, height, script.rest(), pitch, script.restSize());
    if (picture) scalePicture(*picture, 1 + data[0] % 400, 1 + (size > 1 ? data[1] : 0) % 300);
    return 0;
}
