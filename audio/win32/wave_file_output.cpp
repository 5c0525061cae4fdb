#include "audio/win32/wave_file_output.h"

#include <vector>

#include "audio/portable/engine_error.h"
#include "audio/portable/wave_file_layout.h"

namespace kz8::audio {

namespace {
// Paces file writing roughly like playback would, so a capture behaves as
// the device would for the code that drives it.
constexpr DWORD kWritePauseMs = 20;
}  // namespace

WaveFileOutput::WaveFileOutput(const OutputSettings& settings) {
    std::vector<char> name(settings.captureFile.begin(), settings.captureFile.end());
    name.push_back('\0');
    file_ = mmioOpenA(name.data(), nullptr, MMIO_CREATE | MMIO_WRITE | MMIO_ALLOCBUF);
    if (!file_) throwEngineError(kErrorDevice);

    // The 18-byte format chunk: a WAVEFORMATEX with no extra bytes, exactly
    // the bytes of our file layout between "fmt " length and "data".
    std::vector<uint8_t> header = waveFileHeader(settings.format, 0);
    const uint8_t* format = header.data() + 20;
    riffChunk_.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    MMCKINFO formatChunk{};
    formatChunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    formatChunk.cksize = kWaveFmtChunkSize;
    dataChunk_.ckid = mmioFOURCC('d', 'a', 't', 'a');
    bool ok = mmioCreateChunk(file_, &riffChunk_, MMIO_CREATERIFF) == MMSYSERR_NOERROR &&
              mmioCreateChunk(file_, &formatChunk, 0) == MMSYSERR_NOERROR &&
              mmioWrite(file_, reinterpret_cast<const char*>(format), kWaveFmtChunkSize) ==
                  LONG(kWaveFmtChunkSize) &&
              mmioAscend(file_, &formatChunk, 0) == MMSYSERR_NOERROR &&
              mmioCreateChunk(file_, &dataChunk_, 0) == MMSYSERR_NOERROR;
    if (!ok) {
        mmioClose(file_, 0);
        file_ = nullptr;
        throwEngineError(kErrorDevice);
    }
}

WaveFileOutput::~WaveFileOutput() {
    mmioFlush(file_, 0);
    mmioAscend(file_, &dataChunk_, 0);
    mmioAscend(file_, &riffChunk_, 0);
    mmioClose(file_, 0);
}

int32_t WaveFileOutput::writeBlock(const uint8_t* data, uint32_t length) {
    if (mmioWrite(file_, reinterpret_cast<const char*>(data), LONG(length)) != LONG(length))
        throwEngineError(kErrorDevice);
    Sleep(kWritePauseMs);
    return int32_t(length);
}

}  // namespace kz8::audio
