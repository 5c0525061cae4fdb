// The player's parameter block. The stream reader reads the source settings
// and keeps the frame counter here; the decoder and the playback thread use
// the rest. The player adds its own links (owner, PCM sink, window) itself.
#pragma once

#include "audio/portable/pcm_sink.h"
#include "audio/portable/stream_source.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kz8::audio {

class AudioPlayer;

constexpr uint32_t kNoEndFrame = 0xFFFFFFFFu;

enum SourceKind : int32_t { kSourceFile = 0, kSourceStream = 1 };

struct PlaybackParams {
    uint32_t frameCounter = 0;  // frames read since the start of the stream
    uint32_t startFrame = 0;
    uint32_t startTime = 0;  // milliseconds
    uint32_t endFrame = 0;
    uint32_t endTime = 0;
    int32_t sampleRate = 44100;  // the output rate
    int32_t blockSize = 16384;
    int32_t bufferCount = 8;
    int32_t channelCount = 2;
    int32_t bitsPerSample = 16;
    int32_t deviceId = 0;
    int32_t outputScale = 32768;
    int32_t forcedRate = -1;  // follow the stream
    uint8_t resync = 1;       // keep the first header's layer and rate
    uint8_t sourceFlag = 1;   // written by the stream's open function
    uint8_t notifySink = 0;
    std::optional<std::string> fileName;
    std::optional<std::string> captureFile;
    int32_t forceMono = 0;
    int32_t eightBit = 0;
    int32_t equalizerOn = 1;
    int32_t threadPriority = 0;
    int32_t sourceKind = kSourceFile;
    int32_t outputMode = 0;
    StreamSource stream;  // functions and context (sourceContext)
    uint32_t sourceUserValue = 0;
    // The player's own links: set by the player, never by the reader.
    AudioPlayer* owner = nullptr;
    PcmSink sink;                 // the two sink functions and sinkContext
    void* ownerWindow = nullptr;  // an HWND; DirectSound's cooperative window
};

}  // namespace kz8::audio
