// The engine's output: opens the mode chosen in the settings, hands blocks to
// it, and answers volume and capability questions for the wave device even
// while nothing is open. One per player, used from the playback thread except
// for the volume and capability calls, which may come from the client while
// the thread opens or closes the device: a lock keeps the device they use
// alive, and a momentary device is opened only when none is open.
#pragma once

#include <cstdint>
#include <memory>

#include "audio/portable/output_device.h"
#include "audio/portable/output_settings.h"
#include "common/win32/critical_section.h"

namespace kz8::audio {

class WaveOutput : public BlockOutput {
public:
    WaveOutput() = default;
    ~WaveOutput() override { close(); }
    WaveOutput(const WaveOutput&) = delete;
    WaveOutput& operator=(const WaveOutput&) = delete;

    // The settings of the next open and of volume calls while closed.
    void configure(const OutputSettings& settings) { settings_ = settings; }
    const OutputSettings& settings() const { return settings_; }

    // Throws the device error (code 6) on failure.
    void open();
    bool isOpen() const;
    int32_t writeBlock(const uint8_t* data, uint32_t length) override;
    void processNotices();
    void drain();
    void pause();
    void restart();
    void reset();
    void close();
    // Closes without waiting on the wave driver: for a library being unloaded.
    void closeDetached();

    // Whether volume can be set; leftRight whether per channel (wave device only).
    bool capabilities(bool& leftRight) const;
    // Low word left, high word right, 0..0xFFFF each.
    bool setVolume(uint32_t volume);
    bool getVolume(uint32_t& volume);

private:
    std::unique_ptr<OutputDevice> openDevice(const OutputSettings& settings) const;
    // Runs call on the open wave device's handle, or on one opened for the
    // moment when nothing is open. Under deviceLock_.
    template <typename Call>
    bool onWaveHandle(Call call) const;
    void closeLocked();

    OutputSettings settings_;
    OutputSettings openSettings_;  // as they were when the device opened
    std::unique_ptr<OutputDevice> device_;
    mutable CriticalSection deviceLock_;
};

}  // namespace kz8::audio
