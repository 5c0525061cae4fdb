// The frame count that an encoder writes into the first frame of a variable
// bitrate stream: a Xing or Info header (LAME and most encoders) after the
// side information, or a VBRI header (Fraunhofer) 32 bytes after the frame
// header. Without it, the length of such a stream can only be guessed from
// its size and the bitrate of one frame.
#pragma once

#include <cstdint>

#include "audio/portable/frame_header.h"

namespace kz8::audio {

// The audio frames the header counts (the header's own frame not among
// them), or 0 when the body carries no such header or no count.
uint32_t taggedFrameCount(const FrameHeader& header, const uint8_t* body, int32_t bodySize);

}  // namespace kz8::audio
