// What a pin's preferred media types say it carries. The capture graph
// takes, of each filter, the first output pin that includes video.
#pragma once

#include <vector>

namespace kz8::capture {

enum class MajorType { video, audio, other };

enum class MediaKind { none = -1, audioOnly = 0, video = 1, videoAndAudio = 2 };

MediaKind mediaKindOf(const std::vector<MajorType>& preferredTypes);

inline bool includesVideo(MediaKind kind) {
    return kind == MediaKind::video || kind == MediaKind::videoAndAudio;
}

}  // namespace kz8::capture
