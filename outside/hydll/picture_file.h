// Picture files into the suite's DIB through the suite's own readers: the
// template library's bitmap reader and the JPEG decoder of common/. Which one
// reads a file is decided by its first bytes, never by its name.
#pragma once

#include <optional>
#include <string>

#include "common/portable/dib.h"

namespace kz8::outside {

// Nothing when the file is missing, too large, neither a bitmap nor a JPEG,
// or not readable by the reader its content calls for.
std::optional<Dib> readPictureFile(const std::string& path);

}  // namespace kz8::outside
