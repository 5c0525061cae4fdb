#include "common/portable/dib.h"

#include <limits>

#include "common/portable/le_bytes.h"

namespace kz8 {
inline namespace common {

namespace {

bool isSupportedDepth(unsigned bitCount) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32: return true;
        default: return false;
    }
}

// Above this a picture is certainly not ours; it also keeps every size
// computation comfortably inside 32 bits on the 32-bit build.
constexpr uint64_t kMaxDibBytes = 1ull << 30;

void fail(std::string* error, const char* message) {
    if (error) *error = message;
}

}  // namespace

DibHeader DibHeader::read(const uint8_t* b) {
    DibHeader h;
    h.size = loadU32LE(b + 0);
    h.width = loadI32LE(b + 4);
    h.height = loadI32LE(b + 8);
    h.planes = loadU16LE(b + 12);
    h.bitCount = loadU16LE(b + 14);
    h.compression = loadU32LE(b + 16);
    h.sizeImage = loadU32LE(b + 20);
    h.xPelsPerMeter = loadI32LE(b + 24);
    h.yPelsPerMeter = loadI32LE(b + 28);
    h.clrUsed = loadU32LE(b + 32);
    h.clrImportant = loadU32LE(b + 36);
    return h;
}

void DibHeader::write(uint8_t* b) const {
    storeU32LE(b + 0, size);
    storeI32LE(b + 4, width);
    storeI32LE(b + 8, height);
    storeU16LE(b + 12, planes);
    storeU16LE(b + 14, bitCount);
    storeU32LE(b + 16, compression);
    storeU32LE(b + 20, sizeImage);
    storeI32LE(b + 24, xPelsPerMeter);
    storeI32LE(b + 28, yPelsPerMeter);
    storeU32LE(b + 32, clrUsed);
    storeU32LE(b + 36, clrImportant);
}

size_t dibRowStride(int64_t width, unsigned bitCount) {
    if (width <= 0 || !isSupportedDepth(bitCount)) return 0;
    uint64_t bits = uint64_t(width) * bitCount;
    uint64_t stride = ((bits + 31) / 32) * 4;
    if (stride > std::numeric_limits<uint32_t>::max()) return 0;
    return size_t(stride);
}

std::optional<DibLayout> DibLayout::describe(const DibHeader& h, std::string* error) {
    if (h.size != kDibHeaderSize) return fail(error, "header size is not 40"), std::nullopt;
    if (h.planes != 1) return fail(error, "plane count is not 1"), std::nullopt;
    if (h.compression != kDibCompressionRgb)
        return fail(error, "compressed bitmaps are not supported"), std::nullopt;
    if (!isSupportedDepth(h.bitCount))
        return fail(error, "unsupported bits per pixel"), std::nullopt;
    if (h.width <= 0 || h.height <= 0)
        return fail(error, "width and height must be positive (bottom-up rows)"), std::nullopt;
    uint64_t maxColours = h.bitCount <= 8 ? (1u << h.bitCount) : 256;
    if (h.clrUsed > maxColours) return fail(error, "colour table too large"), std::nullopt;

    DibLayout l;
    l.width = uint32_t(h.width);
    l.height = uint32_t(h.height);
    l.bitCount = h.bitCount;
    l.colourCount = h.clrUsed;
    l.stride = dibRowStride(h.width, h.bitCount);
    uint64_t image = uint64_t(l.stride) * l.height;
    uint64_t offset = kDibHeaderSize + uint64_t(kDibColourEntrySize) * h.clrUsed;
    if (l.stride == 0 || image + offset > kMaxDibBytes)
        return fail(error, "picture too large"), std::nullopt;
    l.pixelOffset = size_t(offset);
    l.imageSize = size_t(image);
    l.totalSize = size_t(offset + image);
    return l;
}

template <typename Byte>
std::optional<BasicDibView<Byte>> BasicDibView<Byte>::over(Byte* bytes, size_t size,
                                                           std::string* error) {
    if (bytes == nullptr || size < kDibHeaderSize)
        return fail(error, "shorter than a bitmap header"), std::nullopt;
    DibHeader header = DibHeader::read(bytes);
    auto layout = DibLayout::describe(header, error);
    if (!layout) return std::nullopt;
    if (layout->totalSize > size) return fail(error, "pixel rows run past the end"), std::nullopt;
    return BasicDibView(bytes, header, *layout);
}

template <typename Byte>
std::optional<RgbQuad> BasicDibView<Byte>::colour(uint32_t index) const {
    if (index >= layout_.colourCount) return std::nullopt;
    const uint8_t* entry = bytes_ + kDibHeaderSize + size_t(index) * kDibColourEntrySize;
    return RgbQuad{entry[0], entry[1], entry[2], entry[3]};
}

template <typename Byte>
Byte* BasicDibView<Byte>::row(uint32_t y) const {
    if (y >= layout_.height) return nullptr;
    uint32_t storedRow = layout_.height - 1 - y;  // bottom-up storage
    return bytes_ + layout_.pixelOffset + size_t(storedRow) * layout_.stride;
}

template class BasicDibView<const uint8_t>;
template class BasicDibView<uint8_t>;

std::optional<Dib> Dib::create(int32_t width, int32_t height, unsigned bitCount,
                               uint32_t colourCount, bool greyRamp) {
    DibHeader h;
    h.width = width;
    h.height = height;
    h.bitCount = uint16_t(bitCount);
    h.clrUsed = colourCount;
    h.xPelsPerMeter = kDibPelsPerMeter;
    h.yPelsPerMeter = kDibPelsPerMeter;
    auto layout = DibLayout::describe(h);
    if (!layout) return std::nullopt;
    h.sizeImage = uint32_t(layout->imageSize);

    std::vector<uint8_t> bytes(layout->totalSize, 0);
    h.write(bytes.data());
    if (greyRamp) {
        for (uint32_t i = 0; i < colourCount; ++i) {
            uint8_t* entry = bytes.data() + kDibHeaderSize + i * kDibColourEntrySize;
            uint8_t level = uint8_t(colourCount > 1 ? i * 255 / (colourCount - 1) : 0);
            entry[0] = entry[1] = entry[2] = level;
        }
    }
    return Dib(std::move(bytes));
}

std::optional<Dib> Dib::fromBytes(std::vector<uint8_t> bytes, std::string* error) {
    if (!DibView::over(bytes.data(), bytes.size(), error)) return std::nullopt;
    return Dib(std::move(bytes));
}

DibView Dib::view() const { return *DibView::over(bytes_.data(), bytes_.size()); }
MutableDibView Dib::mutableView() { return *MutableDibView::over(bytes_.data(), bytes_.size()); }

}  // namespace common
}  // namespace kz8
