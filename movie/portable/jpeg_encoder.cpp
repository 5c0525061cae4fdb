#include "movie/portable/jpeg_encoder.h"

#include <cstdlib>

#include "common/portable/jpeg_error_exit.h"

namespace kz8::movie {

namespace {

// Owns the compressor and the library's output buffer; destroying it frees
// both, also after a jump out of the library.
struct Compressor {
    jpeg_compress_struct info{};
    JpegErrorManager error{};
    bool created = false;
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;

    Compressor() {
        info.err = jpeg_std_error(&error.library);
        error.library.error_exit = jumpToJpegFailure;
    }
    ~Compressor() {
        if (created) jpeg_destroy_compress(&info);
        std::free(output);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

void setBaseline420(jpeg_compress_struct& info, int quality) {
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    // Huffman tables fitted to each frame: smaller frames, and ffmpeg 5.1
    // misreads the end of some frames coded with the standard tables.
    info.optimize_coding = TRUE;
    info.comp_info[0].h_samp_factor = 2;
    info.comp_info[0].v_samp_factor = 2;
    for (int chroma = 1; chroma < 3; ++chroma) {
        info.comp_info[chroma].h_samp_factor = 1;
        info.comp_info[chroma].v_samp_factor = 1;
    }
}

// Every libjpeg call happens in here, below the setjmp; only trivially
// destructible locals live in this frame.
bool runEncoder(Compressor& c, const BgrPicture& picture, int quality) {
    jpeg_compress_struct& info = c.info;
    if (setjmp(c.error.failure)) return false;
    jpeg_create_compress(&info);
    c.created = true;
    jpeg_mem_dest(&info, &c.output, &c.outputSize);
    info.image_width = JDIMENSION(picture.width);
    info.image_height = JDIMENSION(picture.height);
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    setBaseline420(info, quality);
    jpeg_start_compress(&info, TRUE);
    const size_t rowBytes = size_t(picture.width) * 3;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(picture.rows.data() + info.next_scanline * rowBytes);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> encodeJpeg(const BgrPicture& picture, int quality) {
    if (picture.width <= 0 || picture.height <= 0 || picture.width > 65500 ||
        picture.height > 65500 ||
        picture.rows.size() < size_t(picture.width) * 3 * size_t(picture.height)) {
        return std::nullopt;
    }
    Compressor compressor;
    if (!runEncoder(compressor, picture, quality) || !compressor.output) return std::nullopt;
    return std::vector<uint8_t>(compressor.output, compressor.output + compressor.outputSize);
}

}  // namespace kz8::movie
