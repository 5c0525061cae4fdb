// Test helpers of the stream reader: MPEG frames built from their fields, and
// a caller stream over memory that can be told to fail.
#pragma once

#include "audio/portable/block_output.h"
#include "audio/portable/decoder_settings.h"
#include "audio/portable/mp3_stream_reader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kz8::audio::testkit {

using Bytes = std::vector<uint8_t>;

enum MpegVersion { kMpeg25 = 0, kMpeg2 = 2, kMpeg1 = 3 };

struct HeaderFields {
    MpegVersion version = kMpeg1;
    int layer = 3;
    int bitrateIndex = 9;  // 128 kbit/s for MPEG-1 Layer III
    int rateBits = 0;      // 44.1 kHz for MPEG-1
    int padding = 0;
    int mode = 0;
    bool crc = false;
    int modeExtension = 0;
};

uint32_t headerWord(const HeaderFields& fields);
// Appends a frame: the header word, then frameLength - 4 body bytes of fill.
void appendFrame(Bytes& out, uint32_t header, size_t frameLength, uint8_t fill);
// An ID3v2.3 tag of tagSize bytes after its 10-byte header (synchsafe size).
Bytes id3Tag(uint32_t tagSize);
void append(Bytes& out, const Bytes& more);

// 128 kbit/s, 44.1 kHz, MPEG-1 Layer III: 417 bytes a frame without padding.
constexpr size_t kCbr128FrameLength = 417;
uint32_t cbr128Header(int padding = 0);

// A caller stream over bytes. Counters record the calls; the fail flags make
// the next call of that kind report failure.
struct MemoryStream {
    Bytes data;
    size_t pos = 0;
    bool failOpen = false;
    bool failSize = false;
    bool failSeek = false;
    bool moveThenFailSeek = false;  // once: moves to the target, then reports failure
    long readsBeforeFailure = -1;   // -1: reads never fail
    int opens = 0;
    int closes = 0;
    uint8_t flag = 7;
    uint32_t userValue = 0x5eed;

    StreamSource functions();
    bool isOpen() const { return opens > closes; }
};

// Keeps every byte of PCM a decoder hands over.
struct PcmCollector : BlockOutput {
    std::vector<uint8_t> pcm;
    int32_t writeBlock(const uint8_t* data, uint32_t length) override {
        pcm.insert(pcm.end(), data, data + length);
        return int32_t(length);
    }
};

// What the decoder makes of the reader's frames from where it stands: every
// frame, or the first frames.
std::vector<uint8_t> decodedPcm(Mp3StreamReader& reader, const DecoderSettings& settings,
                                int frames = -1);

// A reader over a memory stream, with its own params.
struct StreamReaderRig {
    explicit StreamReaderRig(Bytes bytes);
    PlaybackParams params;
    MemoryStream stream;
    Mp3StreamReader reader{params};

    // Frame start offsets found by reading to the end (positions in the data).
    std::vector<uint32_t> readAllFrameStarts();
};

}  // namespace kz8::audio::testkit
