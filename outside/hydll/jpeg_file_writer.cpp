#include "outside/hydll/jpeg_file_writer.h"

#include <csetjmp>
#include <cstdio>
#include <new>
#include <vector>

// libjpeg's header needs size_t and FILE declared first.
#include <jpeglib.h>

#include "common/portable/stdio_file.h"

namespace kz8::outside {
namespace {

constexpr int kRgbComponents = 3;

// libjpeg reports fatal errors through error_exit, which must not return: it
// jumps back to the encoder's failure path instead.
struct JpegErrorManager {
    jpeg_error_mgr library;
    std::jmp_buf failure;
};

[[noreturn]] void jumpToFailure(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->failure, 1);
}

// A library has no console to talk to; warnings change nothing we write.
void stayQuiet(j_common_ptr, int) {}

// Owns the compressor; destroying it frees everything the library allocated.
struct Compressor {
    jpeg_compress_struct info{};
    JpegErrorManager error{};
    bool created = false;

    Compressor() {
        info.err = jpeg_std_error(&error.library);
        error.library.error_exit = jumpToFailure;
        error.library.emit_message = stayQuiet;
    }
    ~Compressor() {
        if (created) jpeg_destroy_compress(&info);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

// Every libjpeg call happens in here, below the setjmp. Only trivially
// destructible locals live in this frame, since a library error jumps out of
// it; the caller's owners clean up.
bool runEncoder(Compressor& c, std::FILE* file, const PackedDibRows& rows, int quality,
                uint8_t* rgbRow) {
    jpeg_compress_struct& info = c.info;
    if (setjmp(c.error.failure)) return false;
    jpeg_create_compress(&info);
    c.created = true;
    jpeg_stdio_dest(&info, file);
    info.image_width = rows.width();
    info.image_height = rows.height();
    info.input_components = kRgbComponents;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        rows.copyRgbRow(info.next_scanline, rgbRow);
        JSAMPROW row = rgbRow;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

bool writeJpegFile(const PackedDibRows& rows, const std::string& path, int quality) {
    std::vector<uint8_t> rgbRow;
    try {
        rgbRow.resize(size_t(rows.width()) * kRgbComponents);
    } catch (const std::bad_alloc&) {
        return false;
    }
    UniqueFile file = openFile(path, "wb");
    if (!file) return false;
    bool written = false;
    {
        Compressor compressor;
        written = runEncoder(compressor, file.get(), rows, quality, rgbRow.data());
    }
    // A full disk may show only when the last buffer is flushed.
    const bool closed = std::fclose(file.release()) == 0;
    if (written && closed) return true;
    std::remove(path.c_str());
    return false;
}

}  // namespace kz8::outside
