#include "audio/portable/volume_scale.h"

#include <cmath>

namespace kz8::audio {

namespace {
const double kLogFullScale = std::log10(65536.0);
}

int32_t directSoundVolumeFromLevel(uint16_t level) {
    return int32_t(10000.0 * (std::log10(double(level) + 1.0) - kLogFullScale) / kLogFullScale);
}

uint16_t levelFromDirectSoundVolume(int32_t volume) {
    double level = 65536.0 * std::pow(10.0, double(volume) * kLogFullScale / 10000.0) - 1.0;
    if (level < 0) return 0;
    if (level > 65535) return 65535;
    return uint16_t(level);
}

}  // namespace kz8::audio
