// Mask blending and the masked hit test over pictures of any size and depth
// at any rectangle: every read must stay inside its picture, and a result
// has the rectangle's size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "skinui/portable/mask_blending.h"

namespace {

unsigned depthOf(uint8_t choice) {
    static const unsigned kDepths[] = {1, 4, 8, 24};
    return kDepths[choice % 4];
}

kz8::Dib picture(const uint8_t* d, size_t& at, size_t size) {
    const int width = at < size ? d[at++] % 40 + 1 : 1;
    const int height = at < size ? d[at++] % 40 + 1 : 1;
    const unsigned bits = depthOf(at < size ? d[at++] : 0);
    kz8::Dib dib = *kz8::Dib::create(width, height, bits, bits <= 8 ? 1u << bits : 0);
    kz8::MutableDibView view = dib.mutableView();
    for (uint32_t y = 0; y < view.height(); ++y)
        for (size_t i = 0; i < view.layout().stride && at < size; ++i) view.row(y)[i] = d[at++];
    return dib;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6) return 0;
    const kz8::Rect rect{int8_t(data[0]), int8_t(data[1]), int8_t(data[0]) + data[2] % 50,
                         int8_t(data[1]) + data[3] % 50};
    size_t at = 4;
    const kz8::Dib background = picture(data, at, size);
    const kz8::Dib state = picture(data, at, size);
    const kz8::Dib mask = picture(data, at, size);
    const auto blended = kz8::skinui::blendThroughMask(background, rect, state, mask);
    if (blended && (int(blended->view().width()) != rect.width() ||
                    int(blended->view().height()) != rect.height()))
        std::abort();
    for (int y = rect.top - 2; y < rect.bottom + 2; y += 3)
        for (int x = rect.left - 2; x < rect.right + 2; x += 3)
            kz8::skinui::hitsMaskedButton(rect, mask, x, y);
    return 0;
}
