// Pictures into baseline JFIF files through libjpeg.
#pragma once

#include <string>

#include "outside/hydll/packed_dib_rows.h"

namespace kz8::outside {

// Writes the rows as a baseline JFIF of the given quality (libjpeg's scale,
// 1 to 100) to `path`, replacing what was there. False on any failure, and
// then what was written of the file is removed.
bool writeJpegFile(const PackedDibRows& rows, const std::string& path, int quality);

}  // namespace kz8::outside
