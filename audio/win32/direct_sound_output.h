// Output through a looping DirectSound buffer. A multimedia timer moves PCM
// from a staging buffer into the ring ahead of the play cursor; the writer
// only appends to the staging buffer. The timer is periodic and killed
// synchronously, so that no run can start or still be going once the object
// is gone (a one-shot timer re-armed from its own run leaves a moment in
// which no kill can reach it).
#pragma once

#include <windows.h>
// After windows.h, and before dsound.h, which needs its wave formats.
#include <mmsystem.h>
// After mmsystem.h.
#include <dsound.h>

#include <atomic>
#include <vector>

#include "audio/portable/output_device.h"
#include "audio/portable/output_settings.h"
#include "common/win32/critical_section.h"
#include "common/win32/handles.h"

namespace kz8::audio {

class DirectSoundOutput : public OutputDevice {
public:
    // Throws the device error when DirectSound or its buffer cannot be made.
    explicit DirectSoundOutput(const OutputSettings& settings);
    ~DirectSoundOutput() override;
    DirectSoundOutput(const DirectSoundOutput&) = delete;
    DirectSoundOutput& operator=(const DirectSoundOutput&) = delete;

    int32_t writeBlock(const uint8_t* data, uint32_t length) override;
    void drain() override;
    void pause() override { silent_ = true; }
    void restart() override { silent_ = false; }

    IDirectSoundBuffer* buffer() const { return buffer_.get(); }

private:
    void startPlaying();
    void armTimer();
    void stopTimer();
    static void CALLBACK onTimer(UINT id, UINT, DWORD_PTR self, DWORD_PTR, DWORD_PTR);
    void feed();
    // Copies bytes (or silence when data is null) into the ring at the write position.
    void writeRing(const uint8_t* data, DWORD length);
    bool appendToStaging(const uint8_t* data, uint32_t length);

    OutputSettings settings_;
    ComApartment com_;
    ComPtr<IDirectSound> sound_;
    ComPtr<IDirectSoundBuffer> buffer_;
    DWORD ringSize_ = 0;
    DWORD ringWrite_ = 0;
    DWORD lastPlayCursor_ = 0;
    DWORD unplayed_ = 0;  // real PCM in the ring not yet passed by the play cursor
    uint8_t silenceByte_ = 0;
    std::vector<uint8_t> staging_;
    size_t stagingFill_ = 0;
    CriticalSection stagingLock_;
    KernelHandle spaceEvent_;
    KernelHandle drainedEvent_;
    std::atomic<UINT> timer_{0};
    std::atomic<bool> silent_{false};
    std::atomic<bool> draining_{false};
    bool drained_ = false;  // the buffer is stopped; later runs do nothing
    std::atomic<bool> stopping_{false};
    bool started_ = false;
};

}  // namespace kz8::audio
