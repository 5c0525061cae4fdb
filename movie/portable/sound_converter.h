// Turns the PCM a source delivers, in whatever format and block size, into
// the sound track every movie carries: 22050 Hz, unsigned 8-bit, mono.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kz8::movie {

constexpr int kTrackRate = 22050;

// Little-endian and interleaved. u8 is unsigned with 128 as silence, the
// others are signed; f32 is nominally within [-1, 1].
struct PcmFormat {
    enum class Sample { u8, s16, s24, s32, f32 } sample;
    int channels;
    int rate;
};

// Channels are averaged, the rate is changed with a windowed-sinc filter
// centred on each output instant (so the track stays in step with the
// picture), and a level x in [-1, 1] is stored as round(128 + 128x) clamped
// to 0..255: the scale u8 sources are read with, so 8-bit sound keeps its
// exact values. u8 mono sources at 22050 Hz are copied untouched.
class SoundConverter {
public:
    explicit SoundConverter(const PcmFormat& from);

    // False for channels outside 1..32 or a rate outside 1000..1,000,000; such
    // a converter appends nothing.
    bool valid() const { return valid_; }

    // Blocks may end anywhere, even inside a sample: the leftover bytes wait
    // for the next block, so any split of a stream gives the same bytes.
    void convert(const uint8_t* bytes, size_t size, std::vector<uint8_t>& out);

    // Appends the samples the filter still holds back for lookahead and makes
    // the converter ready for a new stream. An incomplete last frame is dropped.
    void finish(std::vector<uint8_t>& out);

private:
    void buildFilter();
    void restart();
    void takeFrames(const uint8_t* bytes, size_t size);
    void pushFrame(const uint8_t* frame);
    void emitReady(std::vector<uint8_t>& out);
    void dropConsumed();
    float filteredAt(const float* window) const;
    const float* filterRow(int64_t row) const;

    PcmFormat from_;
    bool valid_ = false;
    bool passthrough_ = false;
    bool resampling_ = false;
    size_t sampleBytes_ = 0;
    size_t frameBytes_ = 0;

    // Output instants advance by from_.rate / kTrackRate input frames, kept as
    // whole frames plus a phase in 1/phases_ of a frame so long streams never drift.
    int64_t phases_ = 1;
    int64_t stepFrames_ = 1;
    int64_t stepPhase_ = 0;
    // The filter spans 2 * halfTaps_ input frames; its table holds rows_ + 1
    // phases, interpolated when there are fewer rows than phases.
    int halfTaps_ = 0;
    int64_t rows_ = 1;
    std::vector<float> coefficients_;

    std::vector<uint8_t> partialFrame_;
    std::vector<float> history_;  // mono input from frame historyOrigin_ on
    int64_t historyOrigin_ = 0;
    int64_t framesIn_ = 0;
    int64_t position_ = 0;  // the next output instant: frame and phase
    int64_t phase_ = 0;
};

}  // namespace kz8::movie
