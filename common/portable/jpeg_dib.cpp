#include "common/portable/jpeg_dib.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

// libjpeg's header needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "common/portable/jpeg_error_exit.h"
#include "common/portable/le_bytes.h"
#include "common/portable/stdio_file.h"

namespace kz8 {
inline namespace common {
namespace {

constexpr unsigned kGreyRampEntries = 256;
constexpr unsigned kColourBits = 24;
constexpr unsigned kGreyBits = 8;
constexpr int kCmykComponents = 4;
constexpr int kFullSample = 255;

// Warnings stay quiet, except that a picture cut short is a failure: the
// library would otherwise fill the missing rows with grey and call it a
// picture. The end of the file alone is no loss (many writers leave out the
// end marker); only when the decoder then had to make up data, which the
// Huffman decoders report as a marker hit and the arithmetic one does not
// report at all, is the picture cut.
void filterWarning(j_common_ptr cinfo, int level) {
    constexpr int kWarningLevel = -1;
    if (level != kWarningLevel) return;
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    const int code = cinfo->err->msg_code;
    if (code == JWRN_JPEG_EOF) {
        manager->sawEndOfFile = true;
        if (!cinfo->is_decompressor || reinterpret_cast<j_decompress_ptr>(cinfo)->arith_code)
            jumpToJpegFailure(cinfo);
    } else if (code == JWRN_HIT_MARKER && manager->sawEndOfFile) {
        jumpToJpegFailure(cinfo);
    }
}

// Owns the decompressor; destroying it frees everything the library allocated.
struct Decompressor {
    jpeg_decompress_struct info{};
    JpegErrorManager error{};
    bool created = false;

    Decompressor() {
        info.err = jpeg_std_error(&error.library);
        error.library.error_exit = jumpToJpegFailure;
        error.library.emit_message = filterWarning;
    }
    ~Decompressor() {
        if (created) jpeg_destroy_decompress(&info);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

enum class RowForm { Bgr, Grey, Cmyk, OtherAsGrey };

struct DibPlan {
    RowForm form = RowForm::OtherAsGrey;
    uint32_t width = 0, height = 0;
    unsigned bitCount = kGreyBits;
    uint32_t colourCount = 0;
    size_t stride = 0;
    size_t pixelOffset = 0;
    size_t totalSize = 0;
    uint32_t pelsPerMeter = kDibPelsPerMeter;
};

// JFIF density units: 1 dots per inch, 2 dots per centimetre (0: an aspect
// ratio only, which says nothing about size, and then the density is 0, as
// without a JFIF marker).
uint32_t densityOf(const jpeg_decompress_struct& info, PictureDensity wanted) {
    constexpr int kDotsPerInch = 1, kDotsPerCentimetre = 2;
    constexpr uint32_t kInchPerMetreTimes100 = 3937;
    if (wanted != PictureDensity::FromJfif) return kDibPelsPerMeter;
    if (!info.saw_JFIF_marker) return 0;
    if (info.density_unit == kDotsPerInch)
        return uint32_t(info.X_density) * kInchPerMetreTimes100 / 100u;
    if (info.density_unit == kDotsPerCentimetre) return uint32_t(info.X_density) * 100u;
    return 0;
}

// Picks the row form and sizes after the header is read; false when the
// picture cannot be held in a DIB.
bool planDib(jpeg_decompress_struct& info, const JpegInput& input, DibPlan& plan) {
    const bool fourComponents =
        info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (fourComponents && input.cmyk == CmykPictures::Refuse) return false;
    plan.pelsPerMeter = densityOf(info, input.density);
    if (info.out_color_space == JCS_RGB) {
        plan.form = RowForm::Bgr;
        info.out_color_space = JCS_EXT_BGR;  // the library writes DIB order directly
    } else if (fourComponents) {
        plan.form = RowForm::Cmyk;
        info.out_color_space = JCS_CMYK;
    } else if (info.out_color_space == JCS_GRAYSCALE) {
        plan.form = RowForm::Grey;
    }
    bool colour = plan.form == RowForm::Bgr || plan.form == RowForm::Cmyk;
    plan.bitCount = colour ? kColourBits : kGreyBits;
    plan.colourCount = colour ? 0 : kGreyRampEntries;
    plan.width = info.image_width;
    plan.height = info.image_height;
    if (plan.width > kMaxPictureSide || plan.height > kMaxPictureSide) return false;
    plan.stride = dibRowStride(plan.width, plan.bitCount);
    if (plan.stride == 0 || plan.height == 0) return false;
    plan.pixelOffset = kDibHeaderSize + kDibColourEntrySize * plan.colourCount;
    const uint64_t image = uint64_t(plan.stride) * plan.height;
    if (image > kMaxPictureBytes) return false;
    if (image > std::numeric_limits<uint32_t>::max() - plan.pixelOffset) return false;
    if (image > std::numeric_limits<size_t>::max() - plan.pixelOffset) return false;
    plan.totalSize = plan.pixelOffset + size_t(image);
    return true;
}

void writeDibPrologue(const DibPlan& plan, uint8_t* bytes) {
    DibHeader header;
    header.width = int32_t(plan.width);
    header.height = int32_t(plan.height);
    header.bitCount = uint16_t(plan.bitCount);
    header.sizeImage = uint32_t(plan.stride * plan.height);
    header.xPelsPerMeter = int32_t(plan.pelsPerMeter);
    header.yPelsPerMeter = int32_t(plan.pelsPerMeter);
    header.clrUsed = plan.colourCount;
    header.write(bytes);
    for (uint32_t i = 0; i < plan.colourCount; ++i) {
        uint8_t* entry = bytes + kDibHeaderSize + kDibColourEntrySize * i;
        entry[0] = entry[1] = entry[2] = uint8_t(i);
        entry[3] = 0;
    }
}

// Adobe writes CMYK inverted (0 means full ink); the conversion rounds the
// way the reference decoder does, so pixels can be compared exactly.
void cmykRowToBgr(const uint8_t* cmyk, uint8_t* bgr, uint32_t width, bool inverted) {
    for (uint32_t x = 0; x < width; ++x, cmyk += kCmykComponents, bgr += 3) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = kFullSample - c;
            m = kFullSample - m;
            y = kFullSample - y;
            k = kFullSample - k;
        }
        auto scale = [k](int v) { return uint8_t((2 * v * k + kFullSample) / (2 * kFullSample)); };
        bgr[0] = scale(y);
        bgr[1] = scale(m);
        bgr[2] = scale(c);
    }
}

// Every libjpeg call happens in here, below the setjmp. Only trivially
// destructible locals live in this frame, since a library error jumps out of
// it; the caller's owners clean up.
bool runDecoder(Decompressor& d, std::FILE* file, const JpegInput& input,
                const DibAllocator& allocate, DibPlan& plan) {
    jpeg_decompress_struct& info = d.info;
    if (setjmp(d.error.failure)) return false;
    jpeg_create_decompress(&info);
    d.created = true;
    if (input.workingMemoryLimit > 0) info.mem->max_memory_to_use = input.workingMemoryLimit;
    if (file)
        jpeg_stdio_src(&info, file);
    else if (input.size > std::numeric_limits<unsigned long>::max())
        return false;
    else
        jpeg_mem_src(&info, input.data, static_cast<unsigned long>(input.size));
    jpeg_read_header(&info, TRUE);
    if (!planDib(info, input, plan)) {
        if (input.cmyk == CmykPictures::Refuse && info.num_components == kCmykComponents)
            std::snprintf(d.error.message, kJpegMessageSize,
                          "four-component (CMYK) pictures are not supported");
        else
            std::snprintf(d.error.message, kJpegMessageSize,
                          "picture of %u x %u is too large to draw", unsigned(info.image_width),
                          unsigned(info.image_height));
        return false;
    }

    uint8_t* bytes = allocate(plan.totalSize);
    if (!bytes) return false;
    writeDibPrologue(plan, bytes);
    uint8_t* pixels = bytes + plan.pixelOffset;

    jpeg_start_decompress(&info);
    if (info.output_width != plan.width || info.output_height != plan.height) return false;
    const bool direct = (plan.form == RowForm::Bgr && info.output_components == 3) ||
                        (plan.form == RowForm::Grey && info.output_components == 1);
    JSAMPARRAY sample =
        (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                  info.output_width * JDIMENSION(info.output_components), 1);
    while (info.output_scanline < info.output_height) {
        // The first scanline is the top of the picture: the last row in memory.
        uint8_t* target = pixels + size_t(plan.height - 1 - info.output_scanline) * plan.stride;
        JSAMPROW row = direct ? target : sample[0];
        if (jpeg_read_scanlines(&info, &row, 1) != 1) return false;
        if (direct) continue;
        if (plan.form == RowForm::Cmyk && info.output_components == kCmykComponents)
            cmykRowToBgr(sample[0], target, plan.width, info.saw_Adobe_marker);
        else if (plan.form != RowForm::Cmyk)
            std::memcpy(target, sample[0], plan.width);
        else
            return false;
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

bool decodeJpegIntoDib(const JpegInput& input, const DibAllocator& allocate, std::string* error) {
    UniqueFile file;
    if (!input.path.empty()) {
        file = openFile(input.path, "rb");
        if (!file) {
            if (error) *error = "cannot open " + input.path;
            return false;
        }
    }
    Decompressor decompressor;
    DibPlan plan;
    if (runDecoder(decompressor, file.get(), input, allocate, plan)) return true;
    if (error) {
        *error = decompressor.error.message[0] ? decompressor.error.message
                                               : "picture too large or out of memory";
    }
    return false;
}

static std::optional<Dib> decodeToVector(const JpegInput& input, std::string* error) {
    std::vector<uint8_t> bytes;
    DibAllocator allocate = [&bytes](size_t size) -> uint8_t* {
        try {
            bytes.assign(size, 0);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        return bytes.data();
    };
    if (!decodeJpegIntoDib(input, allocate, error)) return std::nullopt;
    return Dib::fromBytes(std::move(bytes), error);
}

std::optional<Dib> decodeJpegFile(const std::string& path, std::string* error) {
    JpegInput input;
    input.path = path;
    return decodeToVector(input, error);
}

std::optional<Dib> decodeJpegMemory(const uint8_t* data, size_t size, std::string* error) {
    JpegInput input;
    input.data = data;
    input.size = size;
    return decodeToVector(input, error);
}

}  // namespace common
}  // namespace kz8
