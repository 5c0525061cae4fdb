// The wave volume word (0..0xFFFF per channel) and DirectSound's attenuation
// in hundredths of a decibel, on a logarithmic scale that maps full volume to
// 0 and silence to -10000.
#pragma once

#include <cstdint>

namespace kz8::audio {

int32_t directSoundVolumeFromLevel(uint16_t level);
uint16_t levelFromDirectSoundVolume(int32_t hundredthsOfDecibel);

}  // namespace kz8::audio
