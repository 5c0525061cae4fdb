// One conversion of a clip into a QuickTime movie, as Filmpack.dll's
// export runs it: the target is written under P + "_tmp" and moved onto P
// only once complete, so a failed conversion leaves neither a partial
// movie nor the working file, and an older P stays as it was.
#pragma once

#include <string>

#include "movie/portable/conversion_driver.h"

namespace kz8::movie {

// 1 when the movie was written, 0 when not (its boxes shown).
unsigned char convertToMovie(const std::string& source, const std::string& target,
                             const ProgressFunction& progress);

}  // namespace kz8::movie
