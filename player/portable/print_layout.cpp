#include "player/portable/print_layout.h"

#include <cstring>

#include "player/portable/card_rect.h"

namespace kz8::player {
namespace {
constexpr int kStackedCardHeight = 2 * kCardHeight;  // both faces, one above the other
}

bool computePrintLayout(int pageWidth, int pageHeight, PageRect* upper, PageRect* lower) {
    if (pageWidth <= 0 || pageHeight <= 0 || !upper || !lower) return false;
    const double sx = double(pageWidth) / kCardWidth;
    const double sy = double(pageHeight) / kStackedCardHeight;
    const int middle = pageHeight / 2;
    if (sx > sy) {
        // A relatively wide page: the faces fill the height, centred across.
        const int cardWidth = int(kCardWidth * sy);
        const int left = (pageWidth - cardWidth) / 2;
        *upper = {left, 0, left + cardWidth, middle};
        *lower = {left, middle + 1, left + cardWidth, pageHeight};
    } else {
        const int cardHeight = int(kCardHeight * sx);
        *upper = {0, middle - cardHeight, pageWidth, middle};
        *lower = {0, middle + 1, pageWidth, middle + 1 + cardHeight};
    }
    return true;
}

std::vector<StretchBand> planStretchBands(int sourceWidth, int sourceHeight, int destHeight) {
    // 64-bit products: a picture of 46341 x 46341 would overflow 32 bits.
    const int64_t pixels = int64_t(sourceWidth) * sourceHeight;
    const int64_t n = pixels >> kBandPixelShift;
    if (n < 1) return {{0, sourceHeight, 0, destHeight}};
    const int64_t bands = n + 1;
    std::vector<StretchBand> plan;
    plan.reserve(size_t(bands));
    int64_t destSum = 0;
    for (int64_t i = 0; i < bands; ++i) {
        const int64_t srcTop = i * sourceHeight / bands;
        const int64_t srcHeight = (i + 1) * sourceHeight / bands - srcTop;
        const int64_t dstHeight = (i + 1) * destHeight / bands - i * destHeight / bands;
        destSum += dstHeight;
        plan.push_back({int(srcTop), int(srcHeight), int(destHeight - destSum), int(dstHeight)});
    }
    return plan;
}

std::optional<Dib> rotateDib180(const DibView& source) {
    const DibLayout& layout = source.layout();
    const unsigned unit = layout.bitCount / 8;
    if (layout.bitCount % 8 != 0 || unit == 0) return std::nullopt;
    std::vector<uint8_t> bytes(layout.totalSize, 0);
    std::memcpy(bytes.data(), source.bytes(), layout.pixelOffset);
    DibHeader header = source.header();
    header.sizeImage = uint32_t(layout.imageSize);
    header.write(bytes.data());
    const uint32_t width = layout.width, height = layout.height;
    for (uint32_t r = 0; r < height; ++r) {
        // Top-down row r of the copy, stored bottom-up, takes the source's
        // top-down row (height - 1 - r).
        const uint8_t* from = source.row(height - 1 - r);
        uint8_t* to = bytes.data() + layout.pixelOffset + size_t(height - 1 - r) * layout.stride;
        for (uint32_t x = 0; x < width; ++x)
            std::memcpy(to + size_t(x) * unit, from + size_t(width - 1 - x) * unit, unit);
    }
    return Dib::fromBytes(std::move(bytes));
}

}  // namespace kz8::player
