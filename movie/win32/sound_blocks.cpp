#include "movie/win32/sound_blocks.h"

#include <mmreg.h>

#include <algorithm>
#include <optional>

#include "movie/portable/movie_timing.h"

namespace kz8::movie {

namespace {

constexpr DWORD kBlockBytes = 5000;

const WAVEFORMATEX kMovieFormat = {WAVE_FORMAT_PCM, 1, 22050, 22050, 1, 8, 0};

std::optional<PcmFormat> pcmFormatOf(const WAVEFORMATEX& format) {
    using Sample = PcmFormat::Sample;
    std::optional<Sample> sample;
    if (format.wFormatTag == WAVE_FORMAT_PCM) {
        switch (format.wBitsPerSample) {
            case 8: sample = Sample::u8; break;
            case 16: sample = Sample::s16; break;
            case 24: sample = Sample::s24; break;
            case 32: sample = Sample::s32; break;
            default: break;
        }
    } else if (format.wFormatTag == WAVE_FORMAT_IEEE_FLOAT && format.wBitsPerSample == 32) {
        sample = Sample::f32;
    }
    if (!sample) return std::nullopt;
    return PcmFormat{*sample, format.nChannels, int(format.nSamplesPerSec)};
}

}  // namespace

bool SoundBlocks::open(const std::wstring& path) {
    if (openStream(path, true)) return createSample();
    if (!openStream(path, false) || FAILED(audio_->GetFormat(&format_))) return false;
    const std::optional<PcmFormat> pcm = pcmFormatOf(format_);
    if (!pcm || format_.nAvgBytesPerSec == 0) return false;
    converter_ = std::make_unique<SoundConverter>(*pcm);
    return converter_->valid() && createSample();
}

bool SoundBlocks::openStream(const std::wstring& path, bool movieFormat) {
    sample_.reset();
    data_.reset();
    audio_.reset();
    stream_.reset();
    ComPtr<IMediaStream> media;
    if (FAILED(CoCreateInstance(CLSID_AMMultiMediaStream, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAMMultiMediaStream, stream_.putVoid())) ||
        FAILED(stream_->Initialize(STREAMTYPE_READ, AMMSF_NOGRAPHTHREAD, nullptr)) ||
        FAILED(stream_->AddMediaStream(nullptr, &MSPID_PrimaryAudio, 0, nullptr)) ||
        FAILED(stream_->GetMediaStream(MSPID_PrimaryAudio, media.put())) ||
        FAILED(media->QueryInterface(IID_IAudioMediaStream, audio_.putVoid()))) {
        return false;
    }
    if (movieFormat && FAILED(audio_->SetFormat(const_cast<WAVEFORMATEX*>(&kMovieFormat)))) {
        return false;
    }
    format_ = kMovieFormat;
    return SUCCEEDED(stream_->OpenFile(path.c_str(), AMMSF_NOCLOCK));
}

bool SoundBlocks::createSample() {
    buffer_.assign(kBlockBytes, 0);
    return SUCCEEDED(CoCreateInstance(CLSID_AMAudioData, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_IAudioData, data_.putVoid())) &&
           SUCCEEDED(data_->SetBuffer(kBlockBytes, buffer_.data(), 0)) &&
           SUCCEEDED(data_->SetFormat(&format_)) &&
           SUCCEEDED(audio_->CreateSample(data_.get(), 0, sample_.put())) &&
           SUCCEEDED(stream_->SetState(STREAMSTATE_RUN));
}

// The span is worked out from the bytes: the media layer's sample times
// do not follow the sound's own clock.
bool SoundBlocks::next(std::vector<uint8_t>& bytes, int64_t& span) {
    bytes.clear();
    span = 0;
    if (ended_ || !sample_) return false;
    if (sample_->Update(0, nullptr, nullptr, 0) != S_OK) {
        ended_ = true;
        // What the converter's filter still holds is the sound's last piece.
        if (converter_) converter_->finish(bytes);
        span = int64_t(bytes.size()) * kUnitsPerSecond / kTrackRate;
        return !bytes.empty();
    }
    DWORD length = 0, valid = 0;
    BYTE* data = nullptr;
    if (FAILED(data_->GetInfo(&length, &data, &valid)) || !data) return false;
    valid = std::min(valid, length);
    span = int64_t(valid) * kUnitsPerSecond / int64_t(format_.nAvgBytesPerSec);
    if (converter_) {
        converter_->convert(data, valid, bytes);
    } else {
        bytes.assign(data, data + valid);
    }
    return true;
}

}  // namespace kz8::movie
