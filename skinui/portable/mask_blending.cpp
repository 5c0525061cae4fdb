#include "skinui/portable/mask_blending.h"

#include <algorithm>
#include <cstring>

namespace kz8::skinui {

namespace {

constexpr unsigned kFullWeight = 256;
constexpr uint8_t kWhite = 255;
constexpr uint8_t kMaskOn = 255;

bool isEightBit(const DibView& view) { return view.layout().bitCount == 8; }

uint32_t weightOf(uint8_t maskValue) { return uint32_t(maskValue) * kFullWeight / 255; }

uint8_t mix(uint32_t weight, uint8_t picture, uint8_t background) {
    return uint8_t((weight * picture + (kFullWeight - weight) * background) / kFullWeight);
}

// Grey of a blue-green-red pixel, as 8-bit destinations blend it.
uint8_t greyOf(const uint8_t* bgr) {
    return uint8_t((29u * bgr[0] + 150u * bgr[1] + 76u * bgr[2]) / 255u);
}

bool inside(const DibView& view, int x, int y) {
    return x >= 0 && y >= 0 && uint32_t(x) < view.width() && uint32_t(y) < view.height();
}

}  // namespace

bool hitsMaskedButton(const Rect& rect, const std::optional<Dib>& mask, int x, int y) {
    if (x < rect.left || x >= rect.right || y < rect.top || y >= rect.bottom) return false;
    if (!mask || !isEightBit(mask->view())) return true;
    const DibView view = mask->view();
    const int mx = x - rect.left, my = y - rect.top;
    return inside(view, mx, my) && view.row(uint32_t(my))[mx] == kMaskOn;
}

std::optional<Dib> blendThroughMask(const Dib& background, const Rect& rect, const Dib& state,
                                    const Dib& mask) {
    const DibView bg = background.view(), pic = state.view(), m = mask.view();
    const unsigned bgBits = bg.layout().bitCount, picBits = pic.layout().bitCount;
    if (!isEightBit(m) || rect.width() <= 0 || rect.height() <= 0) return std::nullopt;
    const bool grey = bgBits == 8 && (picBits == 8 || picBits == 24);
    if (!grey && !(bgBits == 24 && picBits == 24)) return std::nullopt;
    auto out = Dib::create(rect.width(), rect.height(), bgBits, bg.layout().colourCount);
    if (!out) return std::nullopt;
    MutableDibView o = out->mutableView();
    // An 8-bit result keeps the background's colours.
    std::memcpy(o.bytes() + kDibHeaderSize, bg.bytes() + kDibHeaderSize,
                size_t(bg.layout().colourCount) * kDibColourEntrySize);
    const size_t pixelBytes = bgBits / 8;
    for (int y = 0; y < rect.height(); ++y) {
        uint8_t* target = o.row(uint32_t(y));
        for (int x = 0; x < rect.width(); ++x, target += pixelBytes) {
            // The state pixel, or white beyond the state picture.
            uint8_t picture[3] = {kWhite, kWhite, kWhite};
            if (inside(pic, x, y)) {
                const uint8_t* p = pic.row(uint32_t(y)) + x * (picBits / 8);
                if (picBits == 24)
                    std::copy(p, p + 3, picture);
                else
                    picture[0] = picture[1] = picture[2] = p[0];
            }
            if (grey && picBits == 24) picture[0] = greyOf(picture);
            const int bx = rect.left + x, by = rect.top + y;
            if (!inside(bg, bx, by)) {
                std::copy(picture, picture + pixelBytes, target);
                continue;
            }
            const uint32_t weight = inside(m, x, y) ? weightOf(m.row(uint32_t(y))[x]) : 0;
            const uint8_t* under = bg.row(uint32_t(by)) + size_t(bx) * pixelBytes;
            for (size_t c = 0; c < pixelBytes; ++c) target[c] = mix(weight, picture[c], under[c]);
        }
    }
    return out;
}

}  // namespace kz8::skinui
