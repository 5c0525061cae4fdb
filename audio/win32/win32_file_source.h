// Files by name through CreateFile: the reader's file source in the Windows
// trees (read access, shared reading, open existing, random-access hint).
#pragma once

#include "audio/portable/byte_source.h"

namespace kz8::audio {

std::unique_ptr<ByteSource> openWin32File(const std::string& name);

}  // namespace kz8::audio
