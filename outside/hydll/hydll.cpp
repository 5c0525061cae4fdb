// HYDLL.dll stand-in (outside the system, never shipped): the two picture
// functions of the file-dialog library that the mail library calls to send a
// user's picture as JPEG, for the tests of its MAPI delivery. It reads with
// the suite's own readers and writes through libjpeg, so it adds no parser.
#include "outside/hydll/hydll.h"

#include "common/win32/global_dib.h"
#include "common/win32/handles.h"
#include "outside/hydll/jpeg_file_writer.h"
#include "outside/hydll/packed_dib_rows.h"
#include "outside/hydll/picture_file.h"

namespace {

constexpr int kJpegQuality = 90;
constexpr int kWritten = 1, kNotWritten = 0;

}  // namespace

// Nothing may throw past these: their callers are C. Only running out of
// memory could, and then the call fails like any other.
extern "C" HGLOBAL __cdecl HyOpenFile(const char* path, int /*unused1*/, int /*unused2*/) {
    if (!path) return nullptr;
    try {
        const auto dib = kz8::outside::readPictureFile(path);
        if (!dib) return nullptr;
        return kz8::copyToGlobal(dib->bytes()).release();
    } catch (...) {
        return nullptr;
    }
}

extern "C" int __cdecl HySaveFile(HGLOBAL dib, const char* path, int format, int /*unused*/) {
    if (!dib || !path || format != kHyFormatJpeg) return kNotWritten;
    try {
        const kz8::GlobalLockGuard lock(dib);
        if (!lock) return kNotWritten;
        const auto rows = kz8::outside::PackedDibRows::over(lock.bytes(), lock.size());
        if (!rows) return kNotWritten;
        return kz8::outside::writeJpegFile(*rows, path, kJpegQuality) ? kWritten : kNotWritten;
    } catch (...) {
        return kNotWritten;
    }
}
