// Files by name through the C library: the reader's file source in every tree
// that has no platform file of its own (the Windows trees use CreateFile).
#pragma once

#include "audio/portable/byte_source.h"

namespace kz8::audio {

std::unique_ptr<ByteSource> openStdioFile(const std::string& name);

}  // namespace kz8::audio
