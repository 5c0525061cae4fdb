// Any bytes handed to us as a DIB: the view must accept only whole pictures,
// and every row it gives out must lie inside the bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "common/portable/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto view = kz8::DibView::over(data, size);
    if (!view) return 0;
    const auto& layout = view->layout();
    volatile uint8_t sink = 0;
    for (uint32_t y = 0; y < layout.height; ++y) {
        const uint8_t* row = view->row(y);
        sink = sink ^ row[0] ^ row[layout.stride - 1];
    }
    for (uint32_t i = 0; i < layout.colourCount; ++i) sink = sink ^ view->colour(i)->red;
    return 0;
}
