// Laying out a new card: the player's bytes, then the front and back
// pictures, the video clip and the sound track, then the header block and
// the trailer. Offsets are 32-bit in the format, so a card must stay below
// 4 GiB; sizes are signed, so each part below 2 GiB.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "player/portable/card_package.h"

namespace kz8::player {

struct CardParts {
    uint64_t playerSize = 0;
    uint64_t frontSize = 0;
    uint64_t backSize = 0;
    uint64_t videoSize = 0;  // 0: no clip
    uint64_t soundSize = 0;  // 0: no sound
    int32_t audioKind = kAudioWave;
    std::string videoSuffix;  // extension of the clip, dot included
    int16_t videoLeft = 0, videoTop = 0, videoWidth = 0, videoHeight = 0;
};

struct CardPlan {
    CardHeaderBlock block;
    CardTrailer trailer;
    // What follows the parts: the header block, then the trailer.
    std::vector<uint8_t> tail() const;
};

// Nothing, with the reason, when the parts cannot be described by the format.
std::optional<CardPlan> planCard(const CardParts& parts, std::string* error = nullptr);

// A whole card in memory, for tests and small tools.
std::vector<uint8_t> buildCardBytes(const CardPlan& plan, const std::vector<uint8_t>& player,
                                    const std::vector<uint8_t>& front,
                                    const std::vector<uint8_t>& back,
                                    const std::vector<uint8_t>& video,
                                    const std::vector<uint8_t>& sound);

}  // namespace kz8::player
