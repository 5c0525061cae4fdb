// Output to a RIFF WAVE file through the multimedia file functions, for
// saving what would have been played.
#pragma once

#include <windows.h>
// After windows.h, which they need.
#include <mmsystem.h>

#include "audio/portable/output_device.h"
#include "audio/portable/output_settings.h"

namespace kz8::audio {

class WaveFileOutput : public OutputDevice {
public:
    // Throws the device error when the file cannot be created.
    explicit WaveFileOutput(const OutputSettings& settings);
    // Writes the chunk lengths and closes the file.
    ~WaveFileOutput() override;
    WaveFileOutput(const WaveFileOutput&) = delete;
    WaveFileOutput& operator=(const WaveFileOutput&) = delete;

    int32_t writeBlock(const uint8_t* data, uint32_t length) override;

private:
    HMMIO file_ = nullptr;
    MMCKINFO riffChunk_{};
    MMCKINFO dataChunk_{};
};

}  // namespace kz8::audio
