// Turns the frames the reader finds into PCM blocks for the output. The MPEG
// decoding itself is libmpg123's: each frame, header and body, is fed to a
// feed-mode decoder, which carries the Layer III bit reservoir from frame to
// frame. Here we fix the PCM format, the options and the blocks: PCM is
// gathered one synthesis step at a time (32 samples per channel at 1:1, 16 at
// 2:1, 8 at 4:1) and a block is handed over after the step that fills it, so
// each block holds blockSize to blockSize + 127 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "audio/portable/block_output.h"
#include "audio/portable/decoder_settings.h"
#include "audio/portable/mp3_stream_reader.h"

struct mpg123_handle_struct;

namespace kz8::audio {

// Room after blockSize for the step that crosses it.
constexpr uint32_t kBlockSlack = 1000;

class FrameDecoder {
public:
    FrameDecoder();
    ~FrameDecoder();
    FrameDecoder(const FrameDecoder&) = delete;
    FrameDecoder& operator=(const FrameDecoder&) = delete;

    // Allocates the output block and a fresh decoder (no synthesis history).
    // Throws kErrorResources when memory or the decoder cannot be had.
    void prepare(const DecoderSettings& settings);
    bool ready() const { return handle_ != nullptr; }
    void free();

    // Takes effect from the next frame decoded.
    void setOutputScale(int32_t scale);
    // Gain of one subband of one channel (0 left, 1 right); 1.0 changes nothing.
    void setEqualizer(int channel, int band, double gain);

    // Decodes the frame now in the reader's buffer and appends its PCM,
    // handing full blocks to output. Damaged frames give whatever they give.
    void decodeFrame(const Mp3StreamReader& reader, BlockOutput& output);
    // Hands over what the block holds, if anything.
    void flushBlock(BlockOutput& output);

    uint32_t fill() const { return fill_; }
    // The output rate for a stream of the given rate.
    int32_t outputRate(int32_t streamRate) const { return streamRate >> settings_.downSample; }
    // Channels of the PCM produced: one with forceMono, else two.
    int32_t outputChannels() const { return settings_.forceMono ? 1 : 2; }
    int32_t bitsPerSample() const { return settings_.eightBit ? 8 : 16; }

private:
    void configureHandle();
    void applyEqualizer();
    void appendInSteps(const uint8_t* pcm, size_t bytes, BlockOutput& output);
    void feedFrame(const Mp3StreamReader& reader);
    int decodeAvailable(BlockOutput& output);
    void restartFeed();
    uint32_t stepBytes() const;

    DecoderSettings settings_;
    mpg123_handle_struct* handle_ = nullptr;
    std::vector<uint8_t> block_;
    uint32_t fill_ = 0;
    std::array<std::array<double, kEqualizerBands>, 2> equalizer_{};
};

}  // namespace kz8::audio
