// The playback thread of AudioPlayer: one per play. It owns the reader, the
// decoder and the output while it runs; the client reaches it only through
// the request flags, the seek events and the state.
#include "audio/win32/audio_player.h"

#include "audio/portable/engine_error.h"
#include "audio/portable/playback_range.h"

namespace kz8::audio {

namespace {

// How long one step of the pause loop waits for a seek or a stop.
constexpr DWORD kPauseStepMs = 77;
// The wave device posts its completion notices to the thread that opened it;
// any message id makes the system create the queue.
constexpr UINT kQueueProbeMessage = WM_USER;

}  // namespace

DWORD WINAPI AudioPlayer::threadEntry(void* player) {
    static_cast<AudioPlayer*>(player)->runPlayback();
    return 0;
}

void AudioPlayer::runPlayback() {
    MSG message;
    PeekMessageA(&message, nullptr, kQueueProbeMessage, kQueueProbeMessage, PM_NOREMOVE);
    try {
        output_->configure(outputSettings());
        output_->open();
    } catch (int) {
        // The decoder stays prepared and the stream where it was: the state
        // stays Prepared, and a Play once the device is free plays it all.
        setEngineError(kErrorDevice);
        SetEvent(threadStarted_.get());
        SetEvent(threadFinished_.get());
        return;
    }
    {
        // Playing before the client hears of the start: a short stream may
        // end before the client runs again, and its end must not be
        // overwritten.
        SectionLock lock(stateLock_);
        state_ = kPlaying;
    }
    outputOpened_ = true;
    SetEvent(threadStarted_.get());
    finishPlayback(playFrames());
}

AudioPlayer::Ending AudioPlayer::playFrames() {
    int32_t appliedScale = kFullOutputScale;
    PlaybackParams& p = *params_;
    try {
        for (;;) {
            serveSeek();
            output_->processNotices();
            int result = kNoFrame;
            // Each call scans a bounded stretch; megabytes of junk take many.
            while ((result = reader_.readFrame()) == kNoFrame)
                if (stopRequested_) return Ending::Stopped;
            if (result == kEndOfStream) return Ending::Ended;
            ++p.frameCounter;
            if (stopRequested_) return Ending::Stopped;
            if (p.frameCounter < p.startFrame) continue;
            if (p.frameCounter > p.endFrame) return Ending::Ended;
            if (p.outputScale != appliedScale) {
                decoder_.setOutputScale(p.outputScale);
                appliedScale = p.outputScale;
            }
            if (reader_.header().headerChanged) followHeaderChange();
            // The decoder gets the whole frame, CRC included, and skips the
            // CRC itself.
            decoder_.decodeFrame(reader_, *output_);
            if (pauseRequested_ && !pauseLoop()) return Ending::Stopped;
        }
    } catch (int) {
        // The thrower has set the code (a failed read: 5, the device: 6).
        return Ending::Ended;
    }
}

bool AudioPlayer::pauseLoop() {
    output_->pause();
    while (pauseRequested_) {
        // Waiting on the seek request and the stop signal rather than
        // sleeping serves either at once; the step only bounds how late a
        // resume is seen.
        HANDLE wakers[] = {seekRequest_.get(), stopSignal_.get()};
        if (WaitForMultipleObjects(2, wakers, FALSE, kPauseStepMs) == WAIT_OBJECT_0) {
            SetEvent(seekRequest_.get());
            serveSeek();
        }
        if (stopRequested_) return false;
    }
    output_->restart();
    return true;
}

void AudioPlayer::serveSeek() {
    if (WaitForSingleObject(seekRequest_.get(), 0) != WAIT_OBJECT_0) return;
    if (params_->outputMode == kOutputWaveDevice) output_->reset();  // processes notices too
    const bool found = reader_.seekToTime(uint32_t(seekValue_.load()), &stopRequested_);
    seekValue_ = found ? -1 : 0;
    SetEvent(seekDone_.get());
}

void AudioPlayer::followHeaderChange() {
    PlaybackParams& p = *params_;
    const int32_t streamRate = reader_.header().samplingRate();
    const RateChoice choice = chooseOutputRate(streamRate, p.outputMode, callerForcedRate_);
    if (choice.downSample != downSample_) {
        downSample_ = choice.downSample;
        reader_.header().downSample = downSample_;
        decoder_.free();
        decoder_.prepare(decoderSettings());
    }
    p.forcedRate = choice.forcedRate;
    const int32_t rate = p.forcedRate < 0 ? (streamRate >> downSample_) : p.forcedRate;
    if (rate != p.sampleRate) {
        p.sampleRate = rate;
        reopenOutput();
    }
    reader_.header().headerChanged = 0;
}

void AudioPlayer::reopenOutput() {
    decoder_.flushBlock(*output_);
    output_->drain();
    output_->close();
    output_->configure(outputSettings());
    try {
        output_->open();
    } catch (int) {
        throwEngineError(kErrorDevice);
    }
}

void AudioPlayer::finishPlayback(Ending ending) {
    if (ending == Ending::Stopped) {
        // What is queued or half-filled is dropped at once rather than
        // played out: the client waits for us.
        if (params_->outputMode == kOutputWaveDevice && !deviceToClient_) output_->reset();
    } else {
        try {
            decoder_.flushBlock(*output_);
            output_->drain();
        } catch (int) {
        }
    }
    decoder_.free();
    rewindKeepingHeader();
    if (!deviceToClient_) output_->close();
    {
        SectionLock lock(stateLock_);
        state_ = ending == Ending::Stopped ? kOpened : kEnded;
    }
    stopRequested_ = false;
    SetEvent(threadFinished_.get());
}

}  // namespace kz8::audio
