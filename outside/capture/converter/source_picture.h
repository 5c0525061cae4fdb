// The pictures the converter takes and where their rows lie. RGB rows are
// DIB rows, padded to four bytes and bottom-up unless the height is
// negative; YUY2 rows are packed and always top-down.
#pragma once

#include <windows.h>

#include <strmif.h>

#include <cstddef>
#include <optional>

#include "common/portable/pixel_rows.h"

namespace kz8::capture::testkit {

struct SourcePicture {
    PixelFormat format;
    int width;
    int rows;
    size_t stride;
    bool topDown;
    REFERENCE_TIME frameDuration;

    size_t imageBytes() const { return stride * static_cast<size_t>(rows); }
};

// The picture `type` describes, when it is one the converter takes.
std::optional<SourcePicture> sourcePictureOf(const AM_MEDIA_TYPE& type);

}  // namespace kz8::capture::testkit
