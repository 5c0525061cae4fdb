// A source's sound through the platform's multimedia streaming objects, in
// blocks of up to 5000 bytes. The media layer is asked for the movie's
// format (22050 Hz, 8-bit, mono) first; when it cannot give that, the
// source is opened again in its own PCM format and converted here, so the
// sound is not lost.
#pragma once

#include <windows.h>

#include <amstream.h>
#include <austream.h>
#include <mmstream.h>  // after windows.h

#include <memory>
#include <string>
#include <vector>

#include "common/win32/handles.h"
#include "movie/portable/sound_converter.h"

namespace kz8::movie {

class SoundBlocks {
public:
    // False when the source has no sound the media layer can read.
    bool open(const std::wstring& path);
    // The next block in the movie's format and the source time it spans;
    // false once the sound is over.
    bool next(std::vector<uint8_t>& bytes, int64_t& span);

private:
    bool openStream(const std::wstring& path, bool movieFormat);
    bool createSample();

    ComPtr<IAMMultiMediaStream> stream_;
    ComPtr<IAudioMediaStream> audio_;
    ComPtr<IAudioData> data_;
    ComPtr<IAudioStreamSample> sample_;
    std::vector<uint8_t> buffer_;
    WAVEFORMATEX format_{};
    std::unique_ptr<SoundConverter> converter_;  // only for another format
    bool ended_ = false;
};

}  // namespace kz8::movie
