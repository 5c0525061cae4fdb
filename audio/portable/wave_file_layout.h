// The RIFF WAVE file that capture mode writes: "RIFF", "WAVE", an 18-byte
// "fmt " chunk (a WAVEFORMATEX with cbSize 0), then the "data" chunk. The two
// lengths are only known when the file is closed.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "audio/portable/pcm_format.h"

namespace kz8::audio {

constexpr uint32_t kWaveFmtChunkSize = 18;
constexpr size_t kWaveRiffLengthOffset = 4;
constexpr size_t kWaveDataLengthOffset = 42;
constexpr size_t kWaveHeaderSize = 46;  // where the PCM starts

// The 46 header bytes for a file holding dataLength bytes of PCM.
std::vector<uint8_t> waveFileHeader(const PcmFormat& format, uint32_t dataLength);

struct ParsedWaveFile {
    PcmFormat format;
    uint32_t dataOffset = 0;
    uint32_t dataLength = 0;
};

// Reads back a file of exactly that layout; nothing when any field is off or
// the lengths disagree with the size.
std::optional<ParsedWaveFile> parseWaveFile(const std::vector<uint8_t>& bytes);

}  // namespace kz8::audio
