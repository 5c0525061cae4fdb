#include "capture/portable/media_kind.h"

#include <algorithm>

namespace kz8::capture {

MediaKind mediaKindOf(const std::vector<MajorType>& preferredTypes) {
    const auto has = [&](MajorType major) {
        return std::find(preferredTypes.begin(), preferredTypes.end(), major) !=
               preferredTypes.end();
    };
    const bool video = has(MajorType::video);
    const bool audio = has(MajorType::audio);
    if (video) return audio ? MediaKind::videoAndAudio : MediaKind::video;
    return audio ? MediaKind::audioOnly : MediaKind::none;
}

}  // namespace kz8::capture
