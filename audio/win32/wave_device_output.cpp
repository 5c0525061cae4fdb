#include "audio/win32/wave_device_output.h"

#include <cstring>

#include "audio/portable/engine_error.h"

namespace kz8::audio {

namespace {

// The longest wait between looks at a full queue (a returned buffer or a
// stop ends it sooner), and how long a freshly opened device is left to settle.
constexpr DWORD kPollMs = 77;
// How often a close refused with buffers still playing is retried (about
// three seconds) before the buffers are dropped.
constexpr int kCloseAttempts = 40;

// A WAVEHDR and its data, both in movable global memory as the device wants.
struct QueuedBuffer {
    HGLOBAL headerBlock;
    HGLOBAL dataBlock;
};

// Unlocking a block that was never locked is harmless, so one path frees all.
void freeLocked(HGLOBAL block) {
    if (!block) return;
    GlobalUnlock(block);
    GlobalFree(block);
}

}  // namespace

WAVEFORMATEX waveFormatOf(const PcmFormat& format) {
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = WORD(format.channels);
    wave.nSamplesPerSec = DWORD(format.sampleRate);
    wave.wBitsPerSample = WORD(format.bitsPerSample);
    wave.nBlockAlign = WORD(format.blockAlign());
    wave.nAvgBytesPerSec = DWORD(format.bytesPerSecond());
    wave.cbSize = 0;
    return wave;
}

WaveDeviceOutput::WaveDeviceOutput(const OutputSettings& settings)
    : settings_(settings), deviceFormat_(settings.format.forWaveDevice()) {
    if (waveOutGetNumDevs() == 0) throwEngineError(kErrorDevice);
    // The device posts to this thread's queue: make sure it has one.
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    ownerThread_ = GetCurrentThreadId();
    WAVEFORMATEX wave = waveFormatOf(deviceFormat_);
    if (waveOutOpen(&device_, UINT(settings_.deviceId), &wave, DWORD_PTR(GetCurrentThreadId()), 0,
                    CALLBACK_THREAD) != MMSYSERR_NOERROR) {
        device_ = nullptr;
        throwEngineError(kErrorDevice);
    }
    waveOutReset(device_);
    processNotices();
    Sleep(kPollMs);
}

WaveDeviceOutput::~WaveDeviceOutput() {
    if (!device_) return;  // closed detached
    // Finished buffers come back to the thread that opened the device. Only
    // that thread can wait for them; any other (a library being unloaded
    // after its playback thread ended) drops them. A paused device would
    // never give them back either.
    // After a stop nothing queued is wanted.
    const bool ownThread = GetCurrentThreadId() == ownerThread_;
    if (paused_ || !ownThread || stopSignalled()) {
        waveOutReset(device_);
        queued_ = 0;
    }
    // Not every wave driver refuses to close while buffers play (Wine's
    // drops them), so wait for them here rather than rely on the refusal.
    drain();
    for (int attempt = 0; waveOutClose(device_) == WAVERR_STILLPLAYING; ++attempt) {
        if (attempt == kCloseAttempts) {
            waveOutReset(device_);
            waveOutClose(device_);
            break;
        }
        processNotices();
        waitForNoticeOrStop();
    }
    processNotices();
    device_ = nullptr;
    queued_ = 0;
}

void WaveDeviceOutput::closeDetached() {
    if (!device_) return;
    waveOutReset(device_);
    // waveOutClose takes one pointer-sized argument and returns a UINT: it
    // can stand as a thread routine on both Windows targets.
    auto closer = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(&waveOutClose));
    HANDLE thread = CreateThread(nullptr, 0, closer, device_, 0, nullptr);
    if (thread) CloseHandle(thread);
    device_ = nullptr;
    queued_ = 0;
}

int32_t WaveDeviceOutput::writeBlock(const uint8_t* data, uint32_t length) {
    if (paused_) return -1;
    if (settings_.notifySink) passToSink(data, length);
    processNotices();
    while (queued_ >= settings_.bufferCount) {
        if (waitForNoticeOrStop() || paused_) return -1;  // the block is not wanted
        processNotices();
    }
    queueBlock(data, length);
    return int32_t(length);
}

void WaveDeviceOutput::queueBlock(const uint8_t* data, uint32_t length) {
    HGLOBAL headerBlock = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(WAVEHDR));
    HGLOBAL dataBlock = GlobalAlloc(GMEM_MOVEABLE, length ? length : 1);
    auto* header = static_cast<WAVEHDR*>(headerBlock ? GlobalLock(headerBlock) : nullptr);
    void* copy = dataBlock ? GlobalLock(dataBlock) : nullptr;
    bool queued = false;
    if (header && copy) {
        std::memcpy(copy, data, length);
        header->lpData = static_cast<LPSTR>(copy);
        header->dwBufferLength = length;
        header->dwFlags = 0;
        header->dwUser = DWORD_PTR(dataBlock);
        queued = waveOutPrepareHeader(device_, header, sizeof(WAVEHDR)) == MMSYSERR_NOERROR;
        if (queued && waveOutWrite(device_, header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
            waveOutUnprepareHeader(device_, header, sizeof(WAVEHDR));
            queued = false;
        }
    }
    if (!queued) {
        freeLocked(dataBlock);
        freeLocked(headerBlock);
        throwEngineError(kErrorDevice);
    }
    ++queued_;
    ++blocksWritten_;
}

void WaveDeviceOutput::processNotices() {
    MSG msg;
    // Only messages posted to the thread itself: windows of this thread keep theirs.
    while (PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE)) {
        if (msg.message == MM_WOM_DONE) {
            returnBuffer(reinterpret_cast<WAVEHDR*>(msg.lParam));
        } else {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void WaveDeviceOutput::returnBuffer(WAVEHDR* header) {
    if (!header) return;
    if (settings_.notifySink) passToSink(header->lpData, header->dwBufferLength);
    waveOutUnprepareHeader(device_, header, sizeof(WAVEHDR));
    freeLocked(reinterpret_cast<HGLOBAL>(header->dwUser));
    freeLocked(GlobalHandle(header));
    if (queued_ > 0) --queued_;
}

void WaveDeviceOutput::passToSink(const void* data, uint32_t length) const {
    if (!settings_.sink.data) return;
    try {
        settings_.sink.data(data, deviceFormat_.bitsPerSample, deviceFormat_.channels,
                            deviceFormat_.sampleRate, length, settings_.sink.context);
    } catch (...) {
        // A listener's failure must not stop the sound.
    }
}

void WaveDeviceOutput::drain() {
    processNotices();
    while (queued_ > 0) {
        if (waitForNoticeOrStop()) return;
        processNotices();
    }
}

bool WaveDeviceOutput::waitForNoticeOrStop() const {
    HANDLE stop = static_cast<HANDLE>(settings_.stopSignal);
    // Only messages posted since the last look wake the wait: processNotices
    // has just taken every earlier one.
    const DWORD woke = MsgWaitForMultipleObjects(stop ? 1 : 0, stop ? &stop : nullptr, FALSE,
                                                 kPollMs, QS_POSTMESSAGE);
    return stop && woke == WAIT_OBJECT_0;
}

bool WaveDeviceOutput::stopSignalled() const {
    HANDLE stop = static_cast<HANDLE>(settings_.stopSignal);
    return stop && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0;
}

void WaveDeviceOutput::pause() {
    paused_ = true;
    waveOutPause(device_);
}

void WaveDeviceOutput::restart() {
    paused_ = false;
    waveOutRestart(device_);
}

void WaveDeviceOutput::reset() {
    waveOutReset(device_);
    processNotices();
    queued_ = 0;
}

}  // namespace kz8::audio
