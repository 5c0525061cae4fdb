#include "movie/portable/sound_converter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>

namespace kz8::movie {

namespace {

constexpr int kMaxChannels = 32;
// Below 1000 Hz no real sound is recorded, and each byte would become
// thousands of output samples: such a source is treated as one without sound.
constexpr int kMinRate = 1000;
constexpr int kMaxRate = 1000000;
// Well past the 8-bit noise floor, so aliases never rise above it.
constexpr double kStopbandDb = 70.0;
// Of the lower Nyquist rate: flat to 0.8 of it, fully stopped from 1.0 on.
constexpr double kCutoffOfNyquist = 0.9;
constexpr double kTransitionOfNyquist = 0.2;
// Common rates fit as exact phases; odd ones interpolate between rows, which
// costs far less than 8-bit resolution and keeps construction quick.
constexpr size_t kMaxCoefficients = size_t(1) << 14;
constexpr double kPi = 3.14159265358979323846;

size_t bytesPerSample(PcmFormat::Sample sample) {
    switch (sample) {
        case PcmFormat::Sample::u8: return 1;
        case PcmFormat::Sample::s16: return 2;
        case PcmFormat::Sample::s24: return 3;
        case PcmFormat::Sample::s32: return 4;
        case PcmFormat::Sample::f32: return 4;
    }
    return 0;  // a value cast from garbage
}

uint32_t littleEndian(const uint8_t* bytes, size_t count) {
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i) value |= uint32_t(bytes[i]) << (8 * i);
    return value;
}

// Signed values are rebuilt arithmetically; shifting into the sign bit is not portable.
double signedLevel(uint32_t value, int bits) {
    const double half = std::ldexp(1.0, bits - 1);
    const double raw = double(value);
    return (raw >= half ? raw - 2 * half : raw) / half;
}

// NaN carries no level and infinities are as loud as the format allows.
double floatLevel(uint32_t value) {
    float level;
    std::memcpy(&level, &value, sizeof level);
    if (std::isnan(level)) return 0.0;
    return std::clamp(double(level), -1.0, 1.0);
}

double sampleLevel(const uint8_t* bytes, PcmFormat::Sample sample) {
    switch (sample) {
        case PcmFormat::Sample::u8: return (double(bytes[0]) - 128.0) / 128.0;
        case PcmFormat::Sample::s16: return signedLevel(littleEndian(bytes, 2), 16);
        case PcmFormat::Sample::s24: return signedLevel(littleEndian(bytes, 3), 24);
        case PcmFormat::Sample::s32: return signedLevel(littleEndian(bytes, 4), 32);
        case PcmFormat::Sample::f32: return floatLevel(littleEndian(bytes, 4));
    }
    return 0.0;
}

uint8_t trackByte(double level) {
    const double rounded = std::floor(128.0 + 128.0 * level + 0.5);
    if (!(rounded > 0.0)) return 0;
    return uint8_t(std::min(rounded, 255.0));
}

double besselI0(double x) {
    double sum = 1.0, term = 1.0;
    for (int k = 1; term > 1e-12 * sum; ++k) {
        const double factor = x / (2.0 * k);
        term *= factor * factor;
        sum += term;
    }
    return sum;
}

// Four running sums break the add chain; their order is fixed, so results
// never depend on how the stream was split.
float dot(const float* x, const float* h, int count) {
    float a0 = 0, a1 = 0, a2 = 0, a3 = 0;
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        a0 += x[i] * h[i];
        a1 += x[i + 1] * h[i + 1];
        a2 += x[i + 2] * h[i + 2];
        a3 += x[i + 3] * h[i + 3];
    }
    for (; i < count; ++i) a0 += x[i] * h[i];
    return (a0 + a1) + (a2 + a3);
}

}  // namespace

SoundConverter::SoundConverter(const PcmFormat& from) : from_(from) {
    sampleBytes_ = bytesPerSample(from.sample);
    valid_ = sampleBytes_ != 0 && from.channels >= 1 && from.channels <= kMaxChannels &&
             from.rate >= kMinRate && from.rate <= kMaxRate;
    if (!valid_) return;
    frameBytes_ = sampleBytes_ * size_t(from.channels);
    passthrough_ =
        from.sample == PcmFormat::Sample::u8 && from.channels == 1 && from.rate == kTrackRate;
    resampling_ = from.rate != kTrackRate;
    partialFrame_.reserve(frameBytes_);
    if (resampling_) buildFilter();
    restart();
}

// Kaiser-windowed sinc, designed in input frames: its length grows with the
// ratio when decimating, so the transition band stays the same width in Hz.
void SoundConverter::buildFilter() {
    const int64_t common = std::gcd(int64_t(from_.rate), int64_t(kTrackRate));
    phases_ = kTrackRate / common;
    const int64_t step = from_.rate / common;
    stepFrames_ = step / phases_;
    stepPhase_ = step % phases_;

    const double nyquistPerFrame = 0.5 * std::min(from_.rate, kTrackRate) / from_.rate;
    const double cutoff = kCutoffOfNyquist * nyquistPerFrame;
    const double transition = kTransitionOfNyquist * nyquistPerFrame;
    const double order = (kStopbandDb - 7.95) / (2.285 * 2 * kPi * transition);
    halfTaps_ = int(std::ceil(order / 2)) + 1;
    const int taps = 2 * halfTaps_;
    rows_ = std::clamp<int64_t>(int64_t(kMaxCoefficients / size_t(taps)) - 1, 1, phases_);

    const double beta = 0.1102 * (kStopbandDb - 8.7);
    const double windowScale = 1.0 / besselI0(beta);
    coefficients_.assign(size_t(rows_ + 1) * size_t(taps), 0.0f);
    std::vector<double> exact(static_cast<size_t>(taps));
    for (int64_t row = 0; row <= rows_; ++row) {
        double sum = 0.0;
        for (int t = 0; t < taps; ++t) {
            const double d = t - (halfTaps_ - 1) - double(row) / double(rows_);
            const double edge = std::min(std::fabs(d) / halfTaps_, 1.0);
            const double x = 2 * cutoff * d;
            const double sinc = x == 0.0 ? 1.0 : std::sin(kPi * x) / (kPi * x);
            const double window = besselI0(beta * std::sqrt(1.0 - edge * edge)) * windowScale;
            exact[size_t(t)] = 2 * cutoff * sinc * window;
            sum += exact[size_t(t)];
        }
        // Each phase passes DC exactly, or upsampled silence would carry a ripple.
        float* h = &coefficients_[size_t(row) * size_t(taps)];
        for (int t = 0; t < taps; ++t) h[t] = float(exact[size_t(t)] / sum);
    }
}

// The frames before the stream are silence the filter can look back into.
void SoundConverter::restart() {
    partialFrame_.clear();
    history_.assign(size_t(std::max(halfTaps_ - 1, 0)), 0.0f);
    historyOrigin_ = -int64_t(history_.size());
    framesIn_ = 0;
    position_ = 0;
    phase_ = 0;
}

void SoundConverter::convert(const uint8_t* bytes, size_t size, std::vector<uint8_t>& out) {
    if (!valid_ || size == 0) return;
    if (passthrough_) {
        out.insert(out.end(), bytes, bytes + size);
        return;
    }
    takeFrames(bytes, size);
    if (resampling_) {
        emitReady(out);
        return;
    }
    for (float level : history_) out.push_back(trackByte(level));
    history_.clear();
}

void SoundConverter::finish(std::vector<uint8_t>& out) {
    if (!valid_) return;
    if (resampling_) {
        // Silence after the end lets the last instants see their full span.
        history_.insert(history_.end(), size_t(halfTaps_), 0.0f);
        emitReady(out);
    }
    restart();
}

void SoundConverter::takeFrames(const uint8_t* bytes, size_t size) {
    if (!partialFrame_.empty()) {
        const size_t taken = std::min(frameBytes_ - partialFrame_.size(), size);
        partialFrame_.insert(partialFrame_.end(), bytes, bytes + taken);
        bytes += taken;
        size -= taken;
        if (partialFrame_.size() < frameBytes_) return;
        pushFrame(partialFrame_.data());
        partialFrame_.clear();
    }
    for (; size >= frameBytes_; bytes += frameBytes_, size -= frameBytes_) pushFrame(bytes);
    partialFrame_.assign(bytes, bytes + size);
}

void SoundConverter::pushFrame(const uint8_t* frame) {
    double sum = 0.0;
    for (int channel = 0; channel < from_.channels; ++channel)
        sum += sampleLevel(frame + size_t(channel) * sampleBytes_, from_.sample);
    history_.push_back(float(sum / from_.channels));
    ++framesIn_;
}

// An instant is ready once the frames up to halfTaps_ past it have arrived;
// instants at or past the end of the input belong to no frame and are skipped.
void SoundConverter::emitReady(std::vector<uint8_t>& out) {
    const int64_t lastHeld = historyOrigin_ + int64_t(history_.size()) - 1;
    while (position_ < framesIn_ && position_ + halfTaps_ <= lastHeld) {
        const int64_t first = position_ - (halfTaps_ - 1) - historyOrigin_;
        out.push_back(trackByte(filteredAt(&history_[size_t(first)])));
        position_ += stepFrames_;
        phase_ += stepPhase_;
        if (phase_ >= phases_) {
            phase_ -= phases_;
            ++position_;
        }
    }
    dropConsumed();
}

void SoundConverter::dropConsumed() {
    const int64_t unused = position_ - (halfTaps_ - 1) - historyOrigin_;
    const int64_t dropped = std::min(unused, int64_t(history_.size()));
    if (dropped <= 0) return;
    history_.erase(history_.begin(), history_.begin() + dropped);
    historyOrigin_ += dropped;
}

float SoundConverter::filteredAt(const float* window) const {
    const int taps = 2 * halfTaps_;
    const int64_t scaled = phase_ * rows_;
    const int64_t row = scaled / phases_;
    const float weight = float(scaled % phases_) / float(phases_);
    const float below = dot(window, filterRow(row), taps);
    if (weight == 0.0f) return below;
    return below + weight * (dot(window, filterRow(row + 1), taps) - below);
}

const float* SoundConverter::filterRow(int64_t row) const {
    return &coefficients_[size_t(row) * size_t(2 * halfTaps_)];
}

}  // namespace kz8::movie
