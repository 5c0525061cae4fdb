// The device-independent bitmap as the whole suite passes it around: a 40-byte
// header, biClrUsed colour-table entries of 4 bytes, then bottom-up pixel rows
// padded to 4 bytes. This file knows only the bytes; putting them into global
// memory is the Win32 side's job.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kz8 {
inline namespace common {

constexpr size_t kDibHeaderSize = 40;
constexpr size_t kDibColourEntrySize = 4;
constexpr uint32_t kDibCompressionRgb = 0;
// 200 dots per inch, the resolution our decoded pictures claim.
constexpr int32_t kDibPelsPerMeter = 7874;

struct DibHeader {
    uint32_t size = kDibHeaderSize;
    int32_t width = 0;
    int32_t height = 0;  // positive: bottom-up rows
    uint16_t planes = 1;
    uint16_t bitCount = 0;
    uint32_t compression = kDibCompressionRgb;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;

    static DibHeader read(const uint8_t* bytes);  // needs kDibHeaderSize bytes
    void write(uint8_t* bytes) const;             // writes kDibHeaderSize bytes
};

struct RgbQuad {
    uint8_t blue = 0, green = 0, red = 0, reserved = 0;
    bool operator==(const RgbQuad& o) const {
        return blue == o.blue && green == o.green && red == o.red && reserved == o.reserved;
    }
};

// Bytes of one pixel row, padded to a multiple of 4. Zero when the width or
// depth is unusable or the row would not fit in 32 bits.
size_t dibRowStride(int64_t width, unsigned bitCount);

// Where everything sits in a DIB of a given header; only uncompressed
// bottom-up layouts of 1, 4, 8, 16, 24 or 32 bits are accepted.
struct DibLayout {
    uint32_t width = 0;
    uint32_t height = 0;
    unsigned bitCount = 0;
    uint32_t colourCount = 0;
    size_t stride = 0;
    size_t pixelOffset = 0;  // 40 + 4 * biClrUsed
    size_t imageSize = 0;    // stride * height
    size_t totalSize = 0;    // pixelOffset + imageSize

    static std::optional<DibLayout> describe(const DibHeader& header, std::string* error = nullptr);
};

// Checked access to DIB bytes that someone else owns (a locked global block,
// a file buffer). Rows are numbered top-down, as people think of them.
template <typename Byte>
class BasicDibView {
public:
    // Fails (returns nothing) unless the bytes hold a whole, valid DIB.
    static std::optional<BasicDibView> over(Byte* bytes, size_t size, std::string* error = nullptr);

    const DibHeader& header() const { return header_; }
    const DibLayout& layout() const { return layout_; }
    uint32_t width() const { return layout_.width; }
    uint32_t height() const { return layout_.height; }

    std::optional<RgbQuad> colour(uint32_t index) const;
    // Row y counted from the top; nullptr when y is out of range.
    Byte* row(uint32_t y) const;
    Byte* pixels() const { return bytes_ + layout_.pixelOffset; }
    Byte* bytes() const { return bytes_; }

private:
    BasicDibView(Byte* bytes, const DibHeader& h, const DibLayout& l)
        : bytes_(bytes), header_(h), layout_(l) {}
    Byte* bytes_;
    DibHeader header_;
    DibLayout layout_;
};

using DibView = BasicDibView<const uint8_t>;
using MutableDibView = BasicDibView<uint8_t>;

// A DIB that owns its bytes, for building pictures in portable code.
class Dib {
public:
    // A zero-filled picture; bitCount 8 gets a grey ramp colour table of
    // colourCount entries when greyRamp is set. Nothing when the size is unusable.
    static std::optional<Dib> create(int32_t width, int32_t height, unsigned bitCount,
                                     uint32_t colourCount = 0, bool greyRamp = false);
    static std::optional<Dib> fromBytes(std::vector<uint8_t> bytes, std::string* error = nullptr);

    DibView view() const;
    MutableDibView mutableView();
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    std::vector<uint8_t> takeBytes() { return std::move(bytes_); }

private:
    explicit Dib(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::vector<uint8_t> bytes_;
};

}  // namespace common
}  // namespace kz8
