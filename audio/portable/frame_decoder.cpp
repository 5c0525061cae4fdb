#include "audio/portable/frame_decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>
#include <new>

#include "audio/portable/engine_error.h"

namespace kz8::audio {

namespace {

constexpr int kSamplesPerStepFullRate = 32;
constexpr long kHeaderBytes = 4;

// libmpg123 keeps process-wide tables; setting them up once is enough.
bool initialiseLibrary() {
    static const bool ok = mpg123_init() == MPG123_OK;
    return ok;
}

long monoFlags(const DecoderSettings& s) {
    if (!s.forceMono) return MPG123_FORCE_STEREO;  // a mono stream fills both slots
    switch (s.channelSelect) {
        case kLeftChannel: return MPG123_MONO_LEFT;
        case kRightChannel: return MPG123_MONO_RIGHT;
        default: return MPG123_MONO_MIX;
    }
}

}  // namespace

FrameDecoder::FrameDecoder() {
    for (auto& channel : equalizer_) channel.fill(1.0);
}

FrameDecoder::~FrameDecoder() { free(); }

void FrameDecoder::prepare(const DecoderSettings& settings) {
    free();
    settings_ = settings;
    if (settings_.downSample < 0 || settings_.downSample > 2 || settings_.blockSize <= 0)
        throwEngineError(kErrorResources);
    try {
        block_.assign(size_t(settings_.blockSize) + kBlockSlack, 0);
    } catch (const std::bad_alloc&) {
        throwEngineError(kErrorResources);
    }
    fill_ = 0;
    if (!initialiseLibrary()) throwEngineError(kErrorResources);
    handle_ = mpg123_new(settings_.core.empty() ? nullptr : settings_.core.c_str(), nullptr);
    if (!handle_) throwEngineError(kErrorResources);
    configureHandle();
    if (mpg123_open_feed(handle_) != MPG123_OK) {
        free();
        throwEngineError(kErrorResources);
    }
}

void FrameDecoder::configureHandle() {
    // Frames arrive one by one from our own reader, which has already skipped
    // tags and junk; the decoder must neither trim nor resync on its own.
    mpg123_param(handle_, MPG123_FLAGS, monoFlags(settings_) | MPG123_QUIET | MPG123_NO_RESYNC,
                 0.0);
    mpg123_param(handle_, MPG123_DOWN_SAMPLE, settings_.downSample, 0.0);
    mpg123_param(handle_, MPG123_OUTSCALE, 0, double(settings_.outputScale) / kFullOutputScale);
    mpg123_param(handle_, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0.0);
    const int encoding = settings_.eightBit ? MPG123_ENC_UNSIGNED_8 : MPG123_ENC_SIGNED_16;
    const int channels = settings_.forceMono ? MPG123_MONO : MPG123_STEREO;
    mpg123_format_none(handle_);
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(handle_, rates[i] >> settings_.downSample, channels, encoding);
    applyEqualizer();
}

void FrameDecoder::applyEqualizer() {
    if (!handle_) return;
    mpg123_reset_eq(handle_);
    if (!settings_.equalizerOn) return;
    for (int band = 0; band < kEqualizerBands; ++band) {
        mpg123_eq(handle_, MPG123_LEFT, band, equalizer_[0][size_t(band)]);
        mpg123_eq(handle_, MPG123_RIGHT, band, equalizer_[1][size_t(band)]);
    }
}

void FrameDecoder::free() {
    if (handle_) {
        mpg123_delete(handle_);
        handle_ = nullptr;
    }
    block_.clear();
    block_.shrink_to_fit();
    fill_ = 0;
}

void FrameDecoder::setOutputScale(int32_t scale) {
    settings_.outputScale = scale;
    // The volume call rebuilds the synthesis tables at once; the plain
    // parameter would only be read at the next open.
    if (handle_) mpg123_volume(handle_, double(scale) / kFullOutputScale);
}

void FrameDecoder::setEqualizer(int channel, int band, double gain) {
    if (channel < 0 || channel > 1 || band < 0 || band >= kEqualizerBands) return;
    equalizer_[size_t(channel)][size_t(band)] = gain;
    applyEqualizer();
}

uint32_t FrameDecoder::stepBytes() const {
    uint32_t samples = uint32_t(kSamplesPerStepFullRate >> settings_.downSample);
    return samples * uint32_t(outputChannels()) * uint32_t(bitsPerSample() / 8);
}

void FrameDecoder::feedFrame(const Mp3StreamReader& reader) {
    const uint32_t word = reader.lastHeader();
    const uint8_t header[4] = {uint8_t(word >> 24), uint8_t(word >> 16), uint8_t(word >> 8),
                               uint8_t(word)};
    mpg123_feed(handle_, header, sizeof header);
    mpg123_feed(handle_, reader.currentBody(), size_t(std::max(0, reader.currentBodySize())));
}

int FrameDecoder::decodeAvailable(BlockOutput& output) {
    for (;;) {
        off_t frameNumber = 0;
        unsigned char* pcm = nullptr;
        size_t bytes = 0;
        const int result = mpg123_decode_frame(handle_, &frameNumber, &pcm, &bytes);
        if (result == MPG123_NEW_FORMAT) continue;
        if (result != MPG123_OK) return result;  // needs more data, or a damaged frame
        appendInSteps(pcm, bytes, output);
    }
}

void FrameDecoder::decodeFrame(const Mp3StreamReader& reader, BlockOutput& output) {
    if (!handle_) return;
    feedFrame(reader);
    const int result = decodeAvailable(output);
    // libmpg123 decodes a frame once it sees the next header, so it holds
    // just the frame fed last. Holding more, or failing, means it sized an
    // earlier frame differently from the reader (a false sync, typically just
    // after a seek): what it holds would swallow the real frames that follow
    // and the rest of the stream would go unheard. The feed starts again
    // from the frame just read.
    long held = 0;
    double unused = 0.0;
    mpg123_getstate(handle_, MPG123_BUFFERFILL, &held, &unused);
    if (result != MPG123_NEED_MORE || held > kHeaderBytes + reader.currentBodySize()) {
        restartFeed();
        feedFrame(reader);
    }
}

void FrameDecoder::restartFeed() {
    // Parameters and output format belong to the handle and stay.
    mpg123_close(handle_);
    mpg123_open_feed(handle_);
}

void FrameDecoder::appendInSteps(const uint8_t* pcm, size_t bytes, BlockOutput& output) {
    const uint32_t step = stepBytes();
    while (bytes > 0) {
        uint32_t take = uint32_t(std::min<size_t>(step, bytes));
        std::memcpy(block_.data() + fill_, pcm, take);
        fill_ += take;
        pcm += take;
        bytes -= take;
        if (fill_ >= uint32_t(settings_.blockSize)) flushBlock(output);
    }
}

void FrameDecoder::flushBlock(BlockOutput& output) {
    if (fill_ == 0) return;
    uint32_t length = fill_;
    fill_ = 0;
    output.writeBlock(block_.data(), length);
}

}  // namespace kz8::audio
