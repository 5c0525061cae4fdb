#include "audio/win32/audio_player.h"

#include "audio/portable/engine_error.h"
#include "audio/portable/playback_range.h"
#include "audio/win32/win32_file_source.h"

namespace kz8::audio {

namespace {

// After thread-finished the thread only returns; give it this long to be gone
// before its handle is closed. Bounded, because under the loader lock (the
// library being unloaded) a thread cannot finish exiting at all.
constexpr DWORD kThreadExitWaitMs = 50;

KernelHandle makeAutoResetEvent() {
    return KernelHandle(CreateEventA(nullptr, FALSE, FALSE, nullptr));
}

KernelHandle makeManualResetEvent() {
    return KernelHandle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
}

std::unique_ptr<PlaybackParams> defaultParams() {
    auto params = std::make_unique<PlaybackParams>();
    params->sourceKind = kSourceFile;
    params->outputMode = kOutputWaveDevice;
    return params;
}

}  // namespace

AudioPlayer::AudioPlayer()
    : params_(defaultParams()),
      reader_(*params_, &openWin32File),
      output_(std::make_unique<WaveOutput>()),
      threadFinished_(makeAutoResetEvent()),
      seekRequest_(makeAutoResetEvent()),
      seekDone_(makeAutoResetEvent()),
      stopSignal_(makeManualResetEvent()) {
    params_->owner = this;
    setEngineError(kErrorNone);
}

AudioPlayer::~AudioPlayer() {
    deviceToClient_ = true;
    if (state_.load() != kIdle) Close();
    // Only the library's unload or the process's end gets here.
    output_->closeDetached();
}

int32_t AudioPlayer::TakeError() { return takeEngineError(); }

bool AudioPlayer::refuse() {
    setEngineError(kErrorState);
    return false;
}

bool AudioPlayer::SetFileName(const char* name) {
    if (!allowed(PlayerOperation::SetFileName)) return refuse();
    params_->fileName = name ? std::optional<std::string>(name) : std::nullopt;
    return true;
}

bool AudioPlayer::SetCaptureFile(const char* name) {
    if (!allowed(PlayerOperation::SetCaptureFile)) return refuse();
    params_->captureFile = name ? std::optional<std::string>(name) : std::nullopt;
    return true;
}

bool AudioPlayer::SetSourceKind(int32_t kind) {
    if (!allowed(PlayerOperation::SetSourceKind)) return refuse();
    params_->sourceKind = kind;
    return true;
}

bool AudioPlayer::SetOutputMode(int32_t mode) {
    if (!allowed(PlayerOperation::SetOutputMode)) return refuse();
    params_->outputMode = mode;
    return true;
}

bool AudioPlayer::SetStreamSource(const StreamSource& source) {
    if (!allowed(PlayerOperation::SetStreamSource)) return refuse();
    params_->stream = source;
    return true;
}

bool AudioPlayer::SetPcmSink(PcmSink::DataFunction data, PcmSink::ControlFunction control,
                             void* context) {
    if (!allowed(PlayerOperation::SetPcmSink)) return refuse();
    params_->sink = PcmSink{data, control, context};
    return true;
}

bool AudioPlayer::SetBuffering(int32_t count, int32_t size) {
    if (!allowed(PlayerOperation::SetBuffering)) return refuse();
    // A negative count would leave the writer waiting for room forever.
    if (count < 0 || size < 0) return refuse();
    if (count != 0) params_->bufferCount = count;
    if (size != 0) params_->blockSize = size;
    return true;
}

bool AudioPlayer::SetDeviceWhileIdle(int32_t id) {
    if (!allowed(PlayerOperation::SetDeviceWhileIdle)) return refuse();
    params_->deviceId = id;
    return true;
}

bool AudioPlayer::SetDevice(int32_t id) {
    if (!allowed(PlayerOperation::SetDevice)) return refuse();
    params_->deviceId = id;
    return true;
}

bool AudioPlayer::SetOwnerWindow(HWND window) {
    if (!allowed(PlayerOperation::SetOwnerWindow)) return refuse();
    params_->ownerWindow = window;
    return true;
}

bool AudioPlayer::SetNotifySink(uint8_t on) {
    if (!allowed(PlayerOperation::SetNotifySink)) return refuse();
    params_->notifySink = on;
    return true;
}

bool AudioPlayer::SetPriority(int32_t priority) {
    SectionLock lock(stateLock_);
    if (isRunning(state_.load())) return SetThreadPriority(thread_.get(), priority) != FALSE;
    params_->threadPriority = priority;
    return true;
}

bool AudioPlayer::SetRange(uint32_t startMs, uint32_t endMs) {
    storeRange(*params_, startMs, endMs);
    if (state_.load() >= kPrepared) convertRange(*params_, reader_.timePerFrame());
    return true;
}

bool AudioPlayer::Open() {
    if (!allowed(PlayerOperation::Open)) return refuse();
    if (params_->sourceKind == kSourceFile && !params_->fileName) {
        setEngineError(kErrorStream);
        return false;
    }
    pauseRequested_ = false;
    try {
        reader_.open();
    } catch (int) {
        reader_.close();
        setEngineError(kErrorStream);
        return false;
    }
    state_ = kOpened;
    return true;
}

void AudioPlayer::rewindKeepingHeader() {
    const FrameHeader last = reader_.header();
    reader_.rewind();
    reader_.header() = last;
}

bool AudioPlayer::Prepare() {
    if (!allowed(PlayerOperation::Prepare)) return refuse();
    joinPlaybackThread();  // after Ended it may still be on its way out
    reader_.header() = FrameHeader{};
    reader_.header().channelSelect = kBothChannels;
    int result = kNoFrame;
    try {
        result = reader_.readFrame();
    } catch (int) {
        reader_.rewind();
        return false;  // the reader has set the code
    }
    // Without a single frame (junk, a tag and nothing else) there is nothing
    // to play: the open fails, rather than the end of the stream passing for
    // a stream of file size / 5 frames.
    if (result != kFrameRead) {
        if (result == kEndOfStream) setEngineError(kErrorStream);
        Close();
        return false;
    }
    rewindKeepingHeader();

    PlaybackParams& p = *params_;
    // Each stream starts from full rate: the halving of a 48 kHz stream must
    // not follow the player to the next stream.
    if (forcedRateDerived_) p.forcedRate = callerForcedRate_;
    callerForcedRate_ = p.forcedRate;
    const RateChoice choice =
        chooseOutputRate(reader_.header().samplingRate(), p.outputMode, p.forcedRate);
    downSample_ = choice.downSample;
    p.sampleRate = choice.sampleRate;
    p.forcedRate = choice.forcedRate;
    forcedRateDerived_ = choice.downSample != 0;
    if (p.forceMono) {
        reader_.header().channelSelect = kMixChannels;
        p.channelCount = 1;
    }
    if (p.eightBit) p.bitsPerSample = 8;
    reader_.header().downSample = downSample_;
    try {
        decoder_.prepare(decoderSettings());
    } catch (int) {
        setEngineError(kErrorResources);
        return false;
    }
    state_ = kPrepared;
    return true;
}

DecoderSettings AudioPlayer::decoderSettings() const {
    DecoderSettings s;
    s.downSample = downSample_;
    s.outputScale = params_->outputScale;
    s.eightBit = params_->eightBit != 0;
    s.forceMono = params_->forceMono != 0;
    s.channelSelect = params_->forceMono ? kMixChannels : kBothChannels;
    s.equalizerOn = params_->equalizerOn != 0;
    s.blockSize = params_->blockSize;
    return s;
}

OutputSettings AudioPlayer::outputSettings() const {
    const PlaybackParams& p = *params_;
    OutputSettings s;
    s.mode = p.outputMode;
    s.deviceId = p.deviceId;
    s.bufferCount = p.bufferCount;
    s.blockSize = p.blockSize;
    s.notifySink = p.notifySink != 0;
    s.captureFile = p.captureFile.value_or(std::string());
    s.format = PcmFormat{p.sampleRate, p.channelCount, p.bitsPerSample};
    s.sink = p.sink;
    s.ownerWindow = p.ownerWindow;
    s.timePerFrameMs = reader_.timePerFrame();
    s.stopSignal = stopSignal_.get();
    return s;
}

bool AudioPlayer::Play() {
    if (!allowed(PlayerOperation::Play)) return refuse();
    if (params_->outputMode == kOutputSink && !params_->sink.complete()) {
        setEngineError(kErrorSink);
        return false;
    }
    // Converted at every play, so that a range set before Prepare counts too.
    convertRange(*params_, reader_.timePerFrame());
    reader_.header().headerChanged = 0;
    joinPlaybackThread();
    threadStarted_ = makeAutoResetEvent();
    if (!threadStarted_ || !stopSignal_) {
        setEngineError(kErrorResources);
        return false;
    }
    ResetEvent(threadFinished_.get());
    ResetEvent(seekRequest_.get());
    ResetEvent(seekDone_.get());
    ResetEvent(stopSignal_.get());
    // A pause or stop left over from the last playback must not reach this one.
    pauseRequested_ = false;
    stopRequested_ = false;
    outputOpened_ = false;
    thread_ =
        KernelHandle(CreateThread(nullptr, 0, &AudioPlayer::threadEntry, this, 0, &threadId_));
    if (!thread_) {
        threadStarted_.reset();
        setEngineError(kErrorResources);
        return false;
    }
    WaitForSingleObject(threadStarted_.get(), INFINITE);
    threadStarted_.reset();
    if (!outputOpened_) {  // the thread has set error 6 and ended
        waitForThreadEnd();
        return false;
    }
    SetThreadPriority(thread_.get(), params_->threadPriority);
    return true;
}

bool AudioPlayer::Pause() {
    SectionLock lock(stateLock_);
    if (!allowed(PlayerOperation::Pause)) return refuse();
    pauseRequested_ = true;
    state_ = kPaused;
    return true;
}

bool AudioPlayer::Resume() {
    SectionLock lock(stateLock_);
    if (!allowed(PlayerOperation::Resume)) return refuse();
    pauseRequested_ = false;
    state_ = kPlaying;
    return true;
}

void AudioPlayer::waitForThreadEnd() {
    if (!thread_) return;
    HANDLE ends[] = {threadFinished_.get(), thread_.get()};
    const DWORD woke = WaitForMultipleObjects(2, ends, FALSE, INFINITE);
    if (woke == WAIT_OBJECT_0 + 1 && WaitForSingleObject(threadFinished_.get(), 0) != WAIT_OBJECT_0)
        recoverFromLostThread();
    else
        // After thread-finished the thread only returns. Under the loader
        // lock (the library being unloaded) it cannot finish exiting, so
        // there the wait is bounded; everywhere else it is gone before its
        // handle is closed.
        WaitForSingleObject(thread_.get(), deviceToClient_ ? kThreadExitWaitMs : INFINITE);
    thread_.reset();
}

void AudioPlayer::joinPlaybackThread() {
    // A thread that ended on its own has signalled thread-finished, which
    // nobody took: the wait returns at once, then waits for the exit.
    waitForThreadEnd();
}

void AudioPlayer::recoverFromLostThread() {
    // The device's notices went to the dead thread: closing it would wait for
    // them forever. The process is ending; let the system take it.
    static_cast<void>(output_.release());
    output_ = std::make_unique<WaveOutput>();
    decoder_.free();
    rewindKeepingHeader();
}

bool AudioPlayer::Stop() {
    const int32_t state = state_.load();
    if (isRunning(state)) {
        stopRequested_ = true;
        SetEvent(stopSignal_.get());
        waitForThreadEnd();
        stopRequested_ = false;
        setEngineError(kErrorNone);
    } else if (state != kEnded) {
        return refuse();
    }
    joinPlaybackThread();
    SectionLock lock(stateLock_);
    // The thread may have reached the end of data just before the stop.
    state_ = kOpened;
    return true;
}

bool AudioPlayer::Close() {
    if (isRunning(state_.load())) Stop();
    joinPlaybackThread();
    decoder_.free();
    reader_.close();
    state_ = kIdle;
    return true;
}

bool AudioPlayer::Seek(uint32_t ms) {
    if (!allowed(PlayerOperation::Seek)) return refuse();
    seekValue_ = int32_t(ms);
    SetEvent(seekRequest_.get());
    // The thread may end on its own before it sees the request.
    HANDLE answers[] = {seekDone_.get(), thread_.get()};
    if (WaitForMultipleObjects(2, answers, FALSE, INFINITE) != WAIT_OBJECT_0) {
        ResetEvent(seekRequest_.get());
        return false;
    }
    return seekValue_.load() == -1;
}

int32_t AudioPlayer::GetTotalTime() {
    if (!allowed(PlayerOperation::GetTotalTime)) {
        refuse();
        return -1;
    }
    return int32_t(reader_.totalTime());
}

int32_t AudioPlayer::GetCurrentTime() {
    const int32_t state = state_.load();
    if (!isAllowed(PlayerOperation::GetCurrentTime, state)) {
        refuse();
        return -1;
    }
    if (state == kEnded) return int32_t(reader_.totalTime());
    return int32_t(reader_.timePerFrame() * params_->frameCounter);
}

uint8_t AudioPlayer::GetSourceFlag() {
    if (!allowed(PlayerOperation::GetSourceFlag)) {
        refuse();
        return 0;
    }
    return params_->sourceFlag;
}

}  // namespace kz8::audio
