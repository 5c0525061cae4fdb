// Bitmap files of any bytes: every picture the reader accepts must be a
// whole DIB that the suite's own checked view takes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "skinui/portable/bitmap_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto dib = kz8::skinui::readBitmapFile(data, size);
    if (dib && !kz8::DibView::over(dib->bytes().data(), dib->bytes().size())) std::abort();
    return 0;
}
