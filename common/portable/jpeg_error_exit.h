// libjpeg reports fatal errors through error_exit, which must not return:
// ours jumps back to the caller's failure path (below its setjmp) with the
// library's message kept. Shared by the decoder and the encoder.
#pragma once

#include <csetjmp>
#include <cstdio>

// libjpeg's header needs size_t and FILE declared first.
#include <jpeglib.h>

namespace kz8 {
inline namespace common {

constexpr size_t kJpegMessageSize = 200;

struct JpegErrorManager {
    jpeg_error_mgr library;
    std::jmp_buf failure;
    char message[kJpegMessageSize];
    bool sawEndOfFile;
};

[[noreturn]] inline void jumpToJpegFailure(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->failure, 1);
}

}  // namespace common
}  // namespace kz8
