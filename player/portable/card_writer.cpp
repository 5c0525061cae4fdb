#include "player/portable/card_writer.h"

#include <limits>

namespace kz8::player {

std::vector<uint8_t> CardPlan::tail() const {
    std::vector<uint8_t> out = encodeCardHeaderBlock(block);
    std::vector<uint8_t> trailerBytes = encodeCardTrailer(trailer);
    out.insert(out.end(), trailerBytes.begin(), trailerBytes.end());
    return out;
}

std::optional<CardPlan> planCard(const CardParts& parts, std::string* error) {
    auto fail = [&](const std::string& why) -> std::optional<CardPlan> {
        if (error) *error = why;
        return std::nullopt;
    };
    constexpr uint64_t kMaxPart = uint64_t(std::numeric_limits<int32_t>::max());
    constexpr uint64_t kMaxOffset = uint64_t(std::numeric_limits<uint32_t>::max());
    if (parts.frontSize > kMaxPart || parts.backSize > kMaxPart || parts.videoSize > kMaxPart ||
        parts.soundSize > kMaxPart)
        return fail("a part is 2 GiB or larger");
    if (parts.videoSize > 0 && parts.videoSuffix.size() > kVideoSuffixMaxLength)
        return fail("video suffix longer than 11 characters");

    CardPlan plan;
    CardHeader& h = plan.block.header;
    uint64_t at = parts.playerSize;
    h.frontOffset = uint32_t(at);
    h.frontSize = uint32_t(parts.frontSize);
    at += parts.frontSize;
    plan.block.back.backOffset = uint32_t(at);
    plan.block.back.backSize = uint32_t(parts.backSize);
    at += parts.backSize;
    h.videoOffset = uint32_t(at);
    h.videoSize = int32_t(parts.videoSize);
    at += parts.videoSize;
    h.audioOffset = uint32_t(at);
    h.audioSize = int32_t(parts.soundSize);
    h.audioKind = parts.audioKind;
    at += parts.soundSize;
    if (at > kMaxOffset) return fail("card would be 4 GiB or larger");
    if (parts.videoSize > 0) {
        h.videoSuffix = parts.videoSuffix;
        h.videoLeft = parts.videoLeft;
        h.videoTop = parts.videoTop;
        h.videoWidth = parts.videoWidth;
        h.videoHeight = parts.videoHeight;
    }
    plan.trailer.headerOffset = uint32_t(at);
    return plan;
}

std::vector<uint8_t> buildCardBytes(const CardPlan& plan, const std::vector<uint8_t>& player,
                                    const std::vector<uint8_t>& front,
                                    const std::vector<uint8_t>& back,
                                    const std::vector<uint8_t>& video,
                                    const std::vector<uint8_t>& sound) {
    std::vector<uint8_t> out(player);
    for (const auto* part : {&front, &back, &video, &sound})
        out.insert(out.end(), part->begin(), part->end());
    std::vector<uint8_t> tail = plan.tail();
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

}  // namespace kz8::player
