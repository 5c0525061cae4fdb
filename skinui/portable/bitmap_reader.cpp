#include "skinui/portable/bitmap_reader.h"

#include <array>
#include <vector>

#include "common/portable/jpeg_dib.h"
#include "common/portable/le_bytes.h"

namespace kz8::skinui {

namespace {

constexpr uint16_t kBitmapType = 0x4D42;  // "BM"
constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kV4HeaderBytes = 108;
constexpr size_t kV4MasksAt = 40;  // red, green, blue masks inside a 108-byte header

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// The masks of the two 16-bit layouts and the 32-bit one, red first.
constexpr std::array<uint32_t, 3> kMasks565 = {0xF800, 0x07E0, 0x001F};
constexpr std::array<uint32_t, 3> kMasks555 = {0x7C00, 0x03E0, 0x001F};
constexpr std::array<uint32_t, 3> kMasks888 = {0x00FF0000, 0x0000FF00, 0x000000FF};

// RLE escapes after a zero count.
constexpr uint8_t kEndOfLine = 0, kEndOfBitmap = 1, kDelta = 2;

struct BitmapInfo {
    int32_t width = 0;
    int32_t height = 0;  // negative: rows top-down
    uint16_t bitCount = 0;
    uint32_t compression = kRgb;
    int32_t xPelsPerMeter = 0, yPelsPerMeter = 0;
    uint32_t colourCount = 0;
    bool coreHeader = false;
    std::array<uint32_t, 3> masks{};  // as written, for bit fields
};

bool validBitCount(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool compressionFits(const BitmapInfo& info) {
    switch (info.compression) {
        case kRgb: return true;
        case kRle8: return info.bitCount == 8 && info.height > 0;
        case kRle4: return info.bitCount == 4 && info.height > 0;
        case kBitFields: return info.bitCount == 16 || info.bitCount == 32;
        default: return false;
    }
}

std::optional<BitmapInfo> readInfo(ByteReader& in) {
    BitmapInfo info;
    const size_t start = in.position();
    uint32_t headerBytes = 0;
    if (!in.readU32(headerBytes)) return std::nullopt;
    if (headerBytes == kCoreHeaderBytes) {
        uint16_t width = 0, height = 0, planes = 0;
        if (!in.readU16(width) || !in.readU16(height) || !in.readU16(planes) ||
            !in.readU16(info.bitCount))
            return std::nullopt;
        info.width = width;
        info.height = height;
        info.coreHeader = true;
    } else if (headerBytes == kInfoHeaderBytes || headerBytes == kV4HeaderBytes) {
        uint16_t planes = 0;
        uint32_t sizeImage = 0, important = 0;
        if (!in.readI32(info.width) || !in.readI32(info.height) || !in.readU16(planes) ||
            !in.readU16(info.bitCount) || !in.readU32(info.compression) || !in.readU32(sizeImage) ||
            !in.readI32(info.xPelsPerMeter) || !in.readI32(info.yPelsPerMeter) ||
            !in.readU32(info.colourCount) || !in.readU32(important))
            return std::nullopt;
        if (headerBytes == kV4HeaderBytes) {
            if (!in.seek(start + kV4MasksAt)) return std::nullopt;
            for (uint32_t& mask : info.masks)
                if (!in.readU32(mask)) return std::nullopt;
        }
        if (!in.seek(start + headerBytes)) return std::nullopt;
    } else {
        return std::nullopt;  // the 124-byte header among others
    }
    if (!validBitCount(info.bitCount) || !compressionFits(info)) return std::nullopt;
    if (info.width <= 0 || info.height == 0 || uint32_t(info.width) > kMaxPictureSide ||
        info.height < -int32_t(kMaxPictureSide) || info.height > int32_t(kMaxPictureSide))
        return std::nullopt;
    if (info.bitCount <= 8) {
        const uint32_t most = 1u << info.bitCount;
        if (info.colourCount == 0 || info.coreHeader) info.colourCount = most;
        if (info.colourCount > most) return std::nullopt;
    } else {
        info.colourCount = 0;  // a table before true-colour pixels means nothing
    }
    // A 40-byte header is followed by its three masks.
    if (info.compression == kBitFields && headerBytes == kInfoHeaderBytes)
        for (uint32_t& mask : info.masks)
            if (!in.readU32(mask)) return std::nullopt;
    return info;
}

// Red first or blue first, each means the standard layout.
bool masksAre(const std::array<uint32_t, 3>& masks, const std::array<uint32_t, 3>& redFirst) {
    const std::array<uint32_t, 3> blueFirst = {redFirst[2], redFirst[1], redFirst[0]};
    return masks == redFirst || masks == blueFirst;
}

bool readColourTable(ByteReader& in, const BitmapInfo& info, Dib& out) {
    uint8_t* table = out.mutableView().bytes() + kDibHeaderSize;
    const size_t entryBytes = info.coreHeader ? 3 : 4;
    for (uint32_t i = 0; i < info.colourCount; ++i) {
        uint8_t entry[4] = {};
        if (!in.readBytes(entry, entryBytes)) return false;
        table[4 * i] = entry[0];
        table[4 * i + 1] = entry[1];
        table[4 * i + 2] = entry[2];
        table[4 * i + 3] = 0;
    }
    return true;
}

// Uncompressed rows of the output's depth; top-down files are flipped.
bool readRows(ByteReader& in, const BitmapInfo& info, MutableDibView& view) {
    const size_t stride = view.layout().stride;
    const uint32_t height = view.height();
    for (uint32_t fileRow = 0; fileRow < height; ++fileRow) {
        // File rows run bottom-up unless the height is negative.
        const uint32_t fromTop = info.height < 0 ? fileRow : height - 1 - fileRow;
        if (!in.readBytes(view.row(fromTop), stride)) return false;
    }
    return true;
}

// A 5- or 6-bit channel to 8 bits, its top bits repeated below it, so that
// 0 stays 0 and the largest value becomes 255.
uint8_t expand(uint32_t value, uint32_t bits) {
    return uint8_t((value << (8 - bits)) | (value >> (2 * bits - 8)));
}

// 16- or 32-bit pixels into 24-bit rows.
bool readTrueColourRows(ByteReader& in, const BitmapInfo& info, MutableDibView& view) {
    bool six = false;  // 5-6-5
    if (info.compression == kBitFields) {
        if (info.bitCount == 16) {
            six = masksAre(info.masks, kMasks565);
            if (!six && !masksAre(info.masks, kMasks555)) return false;
        } else if (!masksAre(info.masks, kMasks888)) {
            return false;
        }
    }
    const size_t inStride = dibRowStride(info.width, info.bitCount);
    std::vector<uint8_t> row(inStride);
    const uint32_t height = view.height();
    for (uint32_t fileRow = 0; fileRow < height; ++fileRow) {
        if (!in.readBytes(row.data(), inStride)) return false;
        uint8_t* out = view.row(info.height < 0 ? fileRow : height - 1 - fileRow);
        for (uint32_t x = 0; x < view.width(); ++x, out += 3) {
            if (info.bitCount == 32) {
                std::copy(row.begin() + 4 * x, row.begin() + 4 * x + 3, out);
                continue;
            }
            const uint32_t p = loadU16LE(row.data() + 2 * x);
            out[0] = expand(p & 0x1F, 5);
            out[1] = six ? expand((p >> 5) & 0x3F, 6) : expand((p >> 5) & 0x1F, 5);
            out[2] = six ? expand(p >> 11, 5) : expand((p >> 10) & 0x1F, 5);
        }
    }
    return true;
}

// Writes pixels of an RLE picture, never past a row or the last row. A row
// ends with its padding: encoders (ImageMagick among them) write the padding
// bytes as pixels too.
class RlePainter {
public:
    RlePainter(MutableDibView& view, unsigned bits)
        : view_(view), bits_(bits), rowPixels_(uint32_t(view.layout().stride * 8 / bits)) {}
    bool put(uint8_t index) {
        if (x_ >= rowPixels_ || y_ >= view_.height()) return false;
        uint8_t* row = view_.row(view_.height() - 1 - y_);  // RLE rows run bottom-up
        if (bits_ == 8) {
            row[x_] = index;
        } else {
            uint8_t& pair = row[x_ / 2];
            pair = x_ % 2 ? uint8_t((pair & 0xF0) | (index & 0x0F))
                          : uint8_t((pair & 0x0F) | (index << 4));
        }
        ++x_;
        return true;
    }
    bool endOfLine() {
        x_ = 0;
        ++y_;
        return true;
    }
    bool delta(uint8_t dx, uint8_t dy) {
        if (x_ + dx > rowPixels_ || y_ + dy >= view_.height()) return false;
        x_ += dx;
        y_ += dy;
        return true;
    }

private:
    MutableDibView& view_;
    unsigned bits_;
    uint32_t rowPixels_;
    uint32_t x_ = 0, y_ = 0;
};

bool readRle(ByteReader& in, unsigned bits, MutableDibView& view) {
    RlePainter paint(view, bits);
    for (;;) {
        uint8_t count = 0, value = 0;
        if (!in.readU8(count) || !in.readU8(value)) return false;
        if (count > 0) {
            // A run: one index, or two alternating ones for 4 bits.
            for (uint8_t i = 0; i < count; ++i)
                if (!paint.put(bits == 8 ? value : (i % 2 ? value & 0x0F : value >> 4)))
                    return false;
            continue;
        }
        if (value == kEndOfLine) {
            paint.endOfLine();
        } else if (value == kEndOfBitmap) {
            return true;
        } else if (value == kDelta) {
            uint8_t dx = 0, dy = 0;
            if (!in.readU8(dx) || !in.readU8(dy) || !paint.delta(dx, dy)) return false;
        } else {
            // An absolute run of value indexes, padded to 16 bits.
            const size_t bytes = bits == 8 ? value : (value + 1u) / 2;
            for (uint8_t i = 0; i < value; ++i) {
                uint8_t byte = 0;
                if (!in.readU8(byte)) return false;
                if (bits == 8) {
                    if (!paint.put(byte)) return false;
                    continue;
                }
                if (!paint.put(byte >> 4)) return false;
                if (++i < value && !paint.put(byte & 0x0F)) return false;
            }
            if (bytes % 2 && !in.skip(1)) return false;
        }
    }
}

}  // namespace

std::optional<Dib> readBitmapFile(const uint8_t* bytes, size_t size) {
    ByteReader in(bytes, size);
    uint16_t type = 0;
    uint32_t fileSize = 0, reserved = 0, pixelOffset = 0;
    if (!in.readU16(type) || type != kBitmapType || !in.readU32(fileSize) ||
        !in.readU32(reserved) || !in.readU32(pixelOffset))
        return std::nullopt;
    const auto info = readInfo(in);
    if (!info) return std::nullopt;
    const unsigned outBits = info->bitCount > 8 ? 24 : info->bitCount;
    const int32_t height = info->height < 0 ? -info->height : info->height;
    if (uint64_t(dibRowStride(info->width, outBits)) * uint64_t(height) > kMaxPictureBytes)
        return std::nullopt;
    auto out = Dib::create(info->width, height, outBits, info->colourCount);
    if (!out) return std::nullopt;
    if (!readColourTable(in, *info, *out)) return std::nullopt;
    DibHeader header = DibHeader::read(out->bytes().data());
    header.xPelsPerMeter = info->xPelsPerMeter;
    header.yPelsPerMeter = info->yPelsPerMeter;
    MutableDibView view = out->mutableView();
    header.write(view.bytes());
    if (pixelOffset < kFileHeaderBytes || !in.seek(pixelOffset)) return std::nullopt;
    bool read = false;
    switch (info->compression) {
        case kRle8: read = readRle(in, 8, view); break;
        case kRle4: read = readRle(in, 4, view); break;
        default:
            read = info->bitCount == 16 || info->bitCount == 32
                       ? readTrueColourRows(in, *info, view)
                       : readRows(in, *info, view);
    }
    if (!read) return std::nullopt;
    return out;
}

}  // namespace kz8::skinui
