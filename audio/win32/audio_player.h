// The audio engine's front: a state machine driven from the client's thread
// and a playback thread started for each play, which reads frames, decodes
// them and writes the PCM to the output. The two threads share the request
// flags and hand seeks and the end of playback over through events.
//
// Operations return false (or -1) when they fail or are refused; the reason
// stays in the engine error code for TakeError. A refusal is error 2 and
// changes nothing.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "audio/portable/frame_decoder.h"
#include "audio/portable/mp3_stream_reader.h"
#include "audio/portable/playback_params.h"
#include "audio/portable/player_state.h"
#include "audio/win32/wave_output.h"
#include "common/win32/critical_section.h"
#include "common/win32/handles.h"

namespace kz8::audio {

class AudioPlayer {
public:
    AudioPlayer();
    ~AudioPlayer();
    AudioPlayer(const AudioPlayer&) = delete;
    AudioPlayer& operator=(const AudioPlayer&) = delete;

    // The last error code, reset to none.
    static int32_t TakeError();

    bool SetFileName(const char* name);
    bool SetCaptureFile(const char* name);
    bool SetSourceKind(int32_t kind);
    bool SetOutputMode(int32_t mode);
    bool SetStreamSource(const StreamSource& source);
    bool SetPcmSink(PcmSink::DataFunction data, PcmSink::ControlFunction control, void* context);
    bool SetBuffering(int32_t count, int32_t size);
    bool SetDeviceWhileIdle(int32_t id);
    bool SetDevice(int32_t id);
    bool SetOwnerWindow(HWND window);
    bool SetNotifySink(uint8_t on);
    bool SetPriority(int32_t priority);
    bool SetRange(uint32_t startMs, uint32_t endMs);

    bool Open();
    bool Prepare();
    bool Play();
    bool Pause();
    bool Resume();
    bool Stop();
    bool Close();
    bool Seek(uint32_t ms);

    int32_t GetTotalTime();
    int32_t GetCurrentTime();
    uint8_t GetSourceFlag();
    int32_t GetState() const { return state_.load(); }

    bool GetCaps(bool& leftRight) const { return output_->capabilities(leftRight); }
    bool SetVolume(uint32_t volume) { return output_->setVolume(volume); }
    bool GetVolume(uint32_t& volume) { return output_->getVolume(volume); }

    // The parameter block, for settings that have no operation of their own
    // (forced rate, scale, mono, 8-bit). Change it only while nothing plays.
    PlaybackParams& params() { return *params_; }

private:
    enum class Ending { Stopped, Ended };

    bool refuse();
    bool allowed(PlayerOperation op) const { return isAllowed(op, state_.load()); }
    // Rewinds the stream but keeps the last header, from which total time
    // and seeking are computed.
    void rewindKeepingHeader();
    DecoderSettings decoderSettings() const;
    OutputSettings outputSettings() const;
    void waitForThreadEnd();
    // Waits until the last playback thread is gone, so that its events and
    // what it used can be reused or freed.
    void joinPlaybackThread();
    // Cleans up after a playback thread that vanished without finishing
    // (killed at process exit): its output is abandoned, never waited on.
    void recoverFromLostThread();

    // Playback thread (playback_thread.cpp).
    static DWORD WINAPI threadEntry(void* player);
    void runPlayback();
    Ending playFrames();
    bool pauseLoop();  // false when a stop ends the pause
    void serveSeek();
    void followHeaderChange();
    void reopenOutput();
    void finishPlayback(Ending ending);

    std::atomic<int32_t> state_{kIdle};
    std::atomic<bool> pauseRequested_{false};
    std::atomic<bool> stopRequested_{false};

    std::unique_ptr<PlaybackParams> params_;
    Mp3StreamReader reader_;
    FrameDecoder decoder_;
    std::unique_ptr<WaveOutput> output_;
    // Set from the stream by Prepare and by header changes; never carried
    // from one stream to the next.
    int32_t downSample_ = 0;
    int32_t callerForcedRate_ = -1;
    bool forcedRateDerived_ = false;  // params' forcedRate is ours, not the caller's

    KernelHandle threadFinished_;
    KernelHandle seekRequest_;
    KernelHandle seekDone_;
    KernelHandle threadStarted_;
    KernelHandle stopSignal_;  // manual reset: set with stopRequested_, wakes every wait
    // Target in milliseconds on the way in; -1 success, 0 failure on the way back.
    std::atomic<int32_t> seekValue_{-1};
    KernelHandle thread_;
    DWORD threadId_ = 0;
    std::atomic<bool> outputOpened_{false};
    // Set while the player is destroyed: in a library being unloaded the
    // loader lock is held, and the device calls need it, so the thread leaves
    // the device to the destroying thread, which holds that lock itself.
    std::atomic<bool> deviceToClient_{false};
    CriticalSection stateLock_;
};

}  // namespace kz8::audio
