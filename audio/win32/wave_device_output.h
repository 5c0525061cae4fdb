// Output to a wave device. Finished buffers come back as MM_WOM_DONE thread
// messages of the thread that opened the device, so everything here runs on
// that one thread and needs no lock.
#pragma once

#include <windows.h>
// After windows.h, which they need.
#include <mmsystem.h>

#include "audio/portable/output_device.h"
#include "audio/portable/output_settings.h"

namespace kz8::audio {

class WaveDeviceOutput : public OutputDevice {
public:
    // Throws the device error when there is no device or it will not open.
    explicit WaveDeviceOutput(const OutputSettings& settings);
    // Lets queued buffers finish, then closes the device.
    ~WaveDeviceOutput() override;
    WaveDeviceOutput(const WaveDeviceOutput&) = delete;
    WaveDeviceOutput& operator=(const WaveDeviceOutput&) = delete;

    int32_t writeBlock(const uint8_t* data, uint32_t length) override;
    void processNotices() override;
    void drain() override;
    void pause() override;
    void restart() override;
    void reset() override;

    // For a library being unloaded: the device is reset and handed to a
    // thread of its own that runs nothing but waveOutClose, so that the close
    // happens once the loader lets go (closing under the loader lock hangs
    // Wine's wave driver) and needs none of our code, which is about to go.
    void closeDetached();

    HWAVEOUT handle() const { return device_; }
    int32_t queuedCount() const { return queued_; }

private:
    // Waits at most one poll step for a notice posted to this thread or for
    // the stop signal; whether the stop signal is set.
    bool waitForNoticeOrStop() const;
    bool stopSignalled() const;
    void queueBlock(const uint8_t* data, uint32_t length);
    void returnBuffer(WAVEHDR* header);
    void passToSink(const void* data, uint32_t length) const;

    OutputSettings settings_;
    PcmFormat deviceFormat_;
    HWAVEOUT device_ = nullptr;
    DWORD ownerThread_ = 0;  // receives the finished-buffer notices
    int32_t queued_ = 0;
    uint32_t blocksWritten_ = 0;
    bool paused_ = false;
};

// The WAVEFORMATEX of a PCM format.
WAVEFORMATEX waveFormatOf(const PcmFormat& format);

}  // namespace kz8::audio
