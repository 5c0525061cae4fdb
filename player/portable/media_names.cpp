#include "player/portable/media_names.h"

#include <cstdio>

#include "player/portable/card_package.h"

namespace kz8::player {

std::string mediaFileName(uint32_t processId, uint32_t number, const std::string& extension) {
    char stem[32];
    std::snprintf(stem, sizeof stem, "kz8_%x_%u", unsigned(processId), unsigned(number));
    return stem + extension;
}

std::string soundExtension(int32_t audioKind) {
    switch (audioKind) {
        case kAudioWave: return ".wav";
        case kAudioMp3: return ".mp3";
        default: return "";
    }
}

}  // namespace kz8::player
