#include "audio/win32/direct_sound_output.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "audio/portable/engine_error.h"
#include "audio/win32/wave_device_output.h"

namespace kz8::audio {

namespace {

constexpr DWORD kBufferFlags = DSBCAPS_CTRLVOLUME | DSBCAPS_GLOBALFOCUS;  // 0x8080
constexpr DWORD kSpaceWaitMs = 50;

}  // namespace

DirectSoundOutput::DirectSoundOutput(const OutputSettings& settings) : settings_(settings) {
    try {
        if (!com_.ok()) throwEngineError(kErrorDevice);
        if (FAILED(CoCreateInstance(CLSID_DirectSound, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IDirectSound, sound_.putVoid())) ||
            FAILED(sound_->Initialize(nullptr)) ||
            FAILED(sound_->SetCooperativeLevel(static_cast<HWND>(settings_.ownerWindow),
                                               DSSCL_PRIORITY)))
            throwEngineError(kErrorDevice);

        ringSize_ = DWORD(settings_.bufferCount) * DWORD(settings_.blockSize);
        WAVEFORMATEX wave = waveFormatOf(settings_.format);
        DSBUFFERDESC description{};
        description.dwSize = sizeof description;
        description.dwFlags = kBufferFlags;
        description.dwBufferBytes = ringSize_;
        description.lpwfxFormat = &wave;
        if (FAILED(sound_->CreateSoundBuffer(&description, buffer_.put(), nullptr)))
            throwEngineError(kErrorDevice);

        spaceEvent_.reset(CreateEventA(nullptr, TRUE, TRUE, nullptr));
        drainedEvent_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        if (!spaceEvent_ || !drainedEvent_) throwEngineError(kErrorDevice);
        staging_.assign(ringSize_, 0);
        silenceByte_ = settings_.format.bitsPerSample == 8 ? 0x80 : 0x00;
    } catch (...) {
        buffer_.reset();
        sound_.reset();
        throw;
    }
}

DirectSoundOutput::~DirectSoundOutput() {
    stopping_ = true;
    stopTimer();
    if (buffer_) buffer_->Stop();
    buffer_.reset();
    sound_.reset();
}

void DirectSoundOutput::startPlaying() {
    stopTimer();
    buffer_->SetCurrentPosition(0);
    ringWrite_ = 0;
    lastPlayCursor_ = 0;
    unplayed_ = 0;
    writeRing(nullptr, ringSize_);
    ringWrite_ = 0;
    // The buffer plays while its cooperative window has the focus.
    HWND previous = GetFocus();
    if (settings_.ownerWindow) SetFocus(static_cast<HWND>(settings_.ownerWindow));
    HRESULT played = buffer_->Play(0, 0, DSBPLAY_LOOPING);
    if (previous) SetFocus(previous);
    if (FAILED(played)) throwEngineError(kErrorDevice);
    started_ = true;
    armTimer();
}

void DirectSoundOutput::armTimer() {
    if (stopping_) return;
    UINT period = UINT(std::max(1.0, std::floor(settings_.timePerFrameMs) - 1));
    timer_ = timeSetEvent(period, 1, &DirectSoundOutput::onTimer, DWORD_PTR(this),
                          TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
}

void DirectSoundOutput::stopTimer() {
    if (UINT id = timer_.exchange(0)) timeKillEvent(id);
}

void CALLBACK DirectSoundOutput::onTimer(UINT, UINT, DWORD_PTR self, DWORD_PTR, DWORD_PTR) {
    reinterpret_cast<DirectSoundOutput*>(self)->feed();
}

int32_t DirectSoundOutput::writeBlock(const uint8_t* data, uint32_t length) {
    if (!started_) startPlaying();
    HANDLE wakers[] = {spaceEvent_.get(), static_cast<HANDLE>(settings_.stopSignal)};
    const DWORD count = wakers[1] ? 2 : 1;
    while (!appendToStaging(data, length)) {
        if (draining_) break;
        if (WaitForMultipleObjects(count, wakers, FALSE, kSpaceWaitMs) == WAIT_OBJECT_0 + 1)
            return -1;  // a stop: the block is not wanted
    }
    return int32_t(length);
}

bool DirectSoundOutput::appendToStaging(const uint8_t* data, uint32_t length) {
    SectionLock lock(stagingLock_);
    if (stagingFill_ + length >= staging_.size()) return false;
    std::memcpy(staging_.data() + stagingFill_, data, length);
    stagingFill_ += length;
    if (staging_.size() - stagingFill_ < size_t(settings_.blockSize)) ResetEvent(spaceEvent_.get());
    return true;
}

void DirectSoundOutput::feed() {
    if (stopping_) return;
    {
        SectionLock lock(stagingLock_);
        if (drained_) return;
        DWORD playCursor = 0, writeCursor = 0;
        buffer_->GetCurrentPosition(&playCursor, &writeCursor);
        DWORD played = (playCursor + ringSize_ - lastPlayCursor_) % ringSize_;
        lastPlayCursor_ = playCursor;
        unplayed_ -= std::min(unplayed_, played);
        // Stop only once the ring's last real bytes have been heard.
        if (draining_ && stagingFill_ == 0 && unplayed_ == 0) {
            buffer_->Stop();
            drained_ = true;
            SetEvent(drainedEvent_.get());
            return;
        }
        DWORD free = (playCursor + ringSize_ - ringWrite_) % ringSize_;
        if (stagingFill_ == 0 || silent_) {
            writeRing(nullptr, free);
        } else {
            DWORD taken = DWORD(std::min<size_t>(stagingFill_, free));
            writeRing(staging_.data(), taken);
            unplayed_ += taken;
            if (taken < free) writeRing(nullptr, free - taken);
            std::memmove(staging_.data(), staging_.data() + taken, stagingFill_ - taken);
            stagingFill_ -= taken;
            if (staging_.size() - stagingFill_ >= size_t(settings_.blockSize))
                SetEvent(spaceEvent_.get());
        }
    }
}

void DirectSoundOutput::writeRing(const uint8_t* data, DWORD length) {
    if (length == 0) return;
    void* first = nullptr;
    void* second = nullptr;
    DWORD firstLength = 0, secondLength = 0;
    if (FAILED(buffer_->Lock(ringWrite_, length, &first, &firstLength, &second, &secondLength, 0)))
        return;
    if (data) {
        std::memcpy(first, data, firstLength);
        if (second) std::memcpy(second, data + firstLength, secondLength);
    } else {
        std::memset(first, silenceByte_, firstLength);
        if (second) std::memset(second, silenceByte_, secondLength);
    }
    buffer_->Unlock(first, firstLength, second, secondLength);
    ringWrite_ = (ringWrite_ + firstLength + secondLength) % ringSize_;
}

void DirectSoundOutput::drain() {
    if (!started_) return;
    draining_ = true;
    // Bounded, so that a device whose cursor never moves cannot hang playback.
    DWORD ringMs = DWORD(1000.0 * ringSize_ / std::max(1, settings_.format.bytesPerSecond()));
    HANDLE wakers[] = {drainedEvent_.get(), static_cast<HANDLE>(settings_.stopSignal)};
    WaitForMultipleObjects(wakers[1] ? 2 : 1, wakers, FALSE, 3 * ringMs + 5000);
}

}  // namespace kz8::audio
