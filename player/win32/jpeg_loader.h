// Card pictures from JPEG files into DIBs in movable global memory.
#pragma once

#include <windows.h>

namespace kz8::player {

// The decoded picture, owned by the caller (GlobalFree), or nullptr on any
// failure; the reason is not shown anywhere.
HGLOBAL LoadJpegAsDib(const char* path);

}  // namespace kz8::player
