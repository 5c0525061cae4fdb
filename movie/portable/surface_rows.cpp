#include "movie/portable/surface_rows.h"

#include <functional>

#include "common/portable/pixel_rows.h"

namespace kz8::movie {

namespace {

using Kind = SurfaceFormat::Kind;
using RowConverter = std::function<void(const uint8_t* row, int width, uint8_t* bgr)>;

struct Channel {
    int shift = 0;
    int bits = 0;
};

// Any run of set bits is a channel; zero is a channel that is always 0.
std::optional<Channel> channelOf(uint32_t mask, int bitsPerPixel) {
    if (mask == 0) return Channel{};
    if (bitsPerPixel < 32 && (mask >> bitsPerPixel) != 0) return std::nullopt;
    Channel channel;
    while ((mask >> channel.shift & 1) == 0) ++channel.shift;
    const uint64_t run = uint64_t(mask) >> channel.shift;
    if ((run & (run + 1)) != 0) return std::nullopt;
    while ((run >> channel.bits) != 0) ++channel.bits;
    return channel;
}

// Repeating the bits from the top makes a channel's maximum 255.
uint8_t widenTo8(uint32_t value, int bits) {
    if (bits >= 8) return uint8_t(value >> (bits - 8));
    uint32_t wide = 0;
    for (int shift = 8 - bits; shift > -bits; shift -= bits)
        wide |= shift >= 0 ? value << shift : value >> -shift;
    return uint8_t(wide);
}

uint8_t channelValue(uint32_t pixel, const Channel& channel) {
    if (channel.bits == 0) return 0;
    const uint32_t mask = channel.bits >= 32 ? ~0u : (1u << channel.bits) - 1;
    return widenTo8(pixel >> channel.shift & mask, channel.bits);
}

RowConverter pixelRows(PixelFormat layout) {
    return [layout](const uint8_t* row, int width, uint8_t* bgr) {
        convertRowToBgr24(layout, row, width, bgr);
    };
}

bool isPackedYuv(Kind kind) { return kind == Kind::yuy2 || kind == Kind::uyvy; }

PixelFormat packedYuvLayout(Kind kind) {
    return kind == Kind::yuy2 ? PixelFormat::Yuy2 : PixelFormat::Uyvy;
}

// The layouts pixel_rows already converts; any other masks go bit by bit.
std::optional<PixelFormat> commonRgbLayout(const SurfaceFormat& format) {
    const uint32_t masks[3] = {format.redMask, format.greenMask, format.blueMask};
    auto is = [&masks](uint32_t red, uint32_t green, uint32_t blue) {
        return masks[0] == red && masks[1] == green && masks[2] == blue;
    };
    if (format.bitsPerPixel == 16 && is(0x7C00, 0x3E0, 0x1F)) return PixelFormat::Rgb555;
    if (format.bitsPerPixel == 16 && is(0xF800, 0x7E0, 0x1F)) return PixelFormat::Rgb565;
    if (format.bitsPerPixel == 24 && is(0xFF0000, 0xFF00, 0xFF)) return PixelFormat::Rgb24;
    if (format.bitsPerPixel == 32 && is(0xFF0000, 0xFF00, 0xFF)) return PixelFormat::Rgb32;
    return std::nullopt;
}

std::optional<RowConverter> maskedRgbRows(const SurfaceFormat& format) {
    const int bitsPerPixel = format.bitsPerPixel;
    if (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)
        return std::nullopt;
    if ((format.redMask & format.greenMask) != 0 || (format.redMask & format.blueMask) != 0 ||
        (format.greenMask & format.blueMask) != 0)
        return std::nullopt;
    if (const auto common = commonRgbLayout(format)) return pixelRows(*common);
    const auto red = channelOf(format.redMask, bitsPerPixel);
    const auto green = channelOf(format.greenMask, bitsPerPixel);
    const auto blue = channelOf(format.blueMask, bitsPerPixel);
    if (!red || !green || !blue) return std::nullopt;
    const int pixelBytes = bitsPerPixel / 8;
    return [=](const uint8_t* row, int width, uint8_t* bgr) {
        for (int x = 0; x < width; ++x, row += pixelBytes, bgr += 3) {
            uint32_t pixel = 0;  // little-endian, as the surface stores it
            for (int i = 0; i < pixelBytes; ++i) pixel |= uint32_t(row[i]) << (8 * i);
            bgr[0] = channelValue(pixel, *blue);
            bgr[1] = channelValue(pixel, *green);
            bgr[2] = channelValue(pixel, *red);
        }
    };
}

RowConverter paletteRows(const std::vector<uint32_t>& palette) {
    return [&palette](const uint8_t* row, int width, uint8_t* bgr) {
        for (int x = 0; x < width; ++x, bgr += 3) {
            const uint8_t index = row[x];
            if (size_t(index) < palette.size()) {
                const uint32_t entry = palette[index];
                bgr[0] = uint8_t(entry);
                bgr[1] = uint8_t(entry >> 8);
                bgr[2] = uint8_t(entry >> 16);
            } else {
                bgr[0] = bgr[1] = bgr[2] = index;
            }
        }
    };
}

std::optional<RowConverter> rowConverter(const SurfaceFormat& format) {
    switch (format.kind) {
        case Kind::rgb: return maskedRgbRows(format);
        case Kind::palette8:
            if (format.bitsPerPixel != 8) return std::nullopt;
            return paletteRows(format.palette);
        case Kind::yuy2:
        case Kind::uyvy:
            if (format.bitsPerPixel != 16) return std::nullopt;
            return pixelRows(packedYuvLayout(format.kind));
    }
    return std::nullopt;
}

size_t rowBytesOf(const SurfaceFormat& format, int width) {
    if (isPackedYuv(format.kind)) return packedRowBytes(packedYuvLayout(format.kind), width);
    return size_t(width) * size_t(format.bitsPerPixel / 8);
}

// Divides rather than multiplies, so no pitch or height can overflow.
bool rowsFit(size_t rowBytes, int height, size_t pitch, size_t size) {
    if (pitch < rowBytes || size < rowBytes) return false;
    return (size - rowBytes) / pitch >= size_t(height - 1);
}

}  // namespace

std::optional<BgrPicture> surfaceToPicture(const SurfaceFormat& format, int width, int height,
                                           const uint8_t* bits, size_t pitch, size_t size) {
    if (width <= 0 || height <= 0 || bits == nullptr) return std::nullopt;
    const std::optional<RowConverter> convertRow = rowConverter(format);
    if (!convertRow) return std::nullopt;
    if (!rowsFit(rowBytesOf(format, width), height, pitch, size)) return std::nullopt;
    BgrPicture picture;
    picture.width = width;
    picture.height = height;
    const size_t bgrRowBytes = size_t(width) * 3;
    picture.rows.resize(bgrRowBytes * size_t(height));
    for (int y = 0; y < height; ++y)
        (*convertRow)(bits + size_t(y) * pitch, width,
                      picture.rows.data() + size_t(y) * bgrRowBytes);
    return picture;
}

}  // namespace kz8::movie
