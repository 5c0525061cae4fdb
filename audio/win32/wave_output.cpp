#include "audio/win32/wave_output.h"

#include <windows.h>
// After windows.h, which they need.
#include <mmsystem.h>

#include "audio/portable/engine_error.h"
#include "audio/portable/sink_output.h"
#include "audio/portable/volume_scale.h"
#include "audio/win32/direct_sound_output.h"
#include "audio/win32/wave_device_output.h"
#include "audio/win32/wave_file_output.h"
#include "common/win32/handles.h"

namespace kz8::audio {

namespace {

// A wave device opened only for a volume call.
class MomentaryWaveDevice {
public:
    explicit MomentaryWaveDevice(const OutputSettings& settings) {
        WAVEFORMATEX wave = waveFormatOf(settings.format.forWaveDevice());
        if (waveOutOpen(&device_, UINT(settings.deviceId), &wave, 0, 0,
                        WAVE_ALLOWSYNC | CALLBACK_NULL) != MMSYSERR_NOERROR)
            device_ = nullptr;
    }
    ~MomentaryWaveDevice() {
        if (device_) waveOutClose(device_);
    }
    MomentaryWaveDevice(const MomentaryWaveDevice&) = delete;
    MomentaryWaveDevice& operator=(const MomentaryWaveDevice&) = delete;
    HWAVEOUT get() const { return device_; }

private:
    HWAVEOUT device_ = nullptr;
};

uint16_t rightLevel(uint32_t volume) { return uint16_t(volume >> 16); }

}  // namespace

std::unique_ptr<OutputDevice> WaveOutput::openDevice(const OutputSettings& settings) const {
    switch (settings.mode) {
        case kOutputWaveDevice: return std::make_unique<WaveDeviceOutput>(settings);
        case kOutputWaveFile: return std::make_unique<WaveFileOutput>(settings);
        case kOutputDirectSound: return std::make_unique<DirectSoundOutput>(settings);
        case kOutputSink: return std::make_unique<SinkOutput>(settings.sink, settings.format);
        default: throwEngineError(kErrorDevice);
    }
}

bool WaveOutput::isOpen() const {
    SectionLock lock(deviceLock_);
    return device_ != nullptr;
}

void WaveOutput::open() {
    SectionLock lock(deviceLock_);
    closeLocked();
    OutputSettings settings = settings_;
    // A listener that will not take the opening call hears nothing.
    if (settings.notifySink && settings.mode != kOutputSink)
        settings.notifySink = settings.sink.sendControl(kSinkOpening);
    device_ = openDevice(settings);
    openSettings_ = settings;
}

int32_t WaveOutput::writeBlock(const uint8_t* data, uint32_t length) {
    if (!device_) throwEngineError(kErrorDevice);
    return device_->writeBlock(data, length);
}

void WaveOutput::processNotices() {
    if (device_) device_->processNotices();
}
void WaveOutput::drain() {
    if (device_) device_->drain();
}
void WaveOutput::pause() {
    if (device_) device_->pause();
}
void WaveOutput::restart() {
    if (device_) device_->restart();
}
void WaveOutput::reset() {
    if (device_) device_->reset();
}

void WaveOutput::close() {
    SectionLock lock(deviceLock_);
    closeLocked();
}

void WaveOutput::closeLocked() {
    if (!device_) return;
    bool tellListener = openSettings_.notifySink && openSettings_.mode != kOutputSink;
    // The wave device tells its listener after it has closed; the file and
    // DirectSound before they let go of their objects.
    if (tellListener && openSettings_.mode != kOutputWaveDevice)
        openSettings_.sink.sendControl(kSinkClosing);
    device_.reset();
    if (tellListener && openSettings_.mode == kOutputWaveDevice)
        openSettings_.sink.sendControl(kSinkClosing);
}

void WaveOutput::closeDetached() {
    SectionLock lock(deviceLock_);
    if (auto* wave = dynamic_cast<WaveDeviceOutput*>(device_.get())) wave->closeDetached();
    closeLocked();
}

template <typename Call>
bool WaveOutput::onWaveHandle(Call call) const {
    if (auto* open = dynamic_cast<WaveDeviceOutput*>(device_.get())) return call(open->handle());
    if (device_) return false;  // another mode is open
    MomentaryWaveDevice momentary(settings_);
    return momentary.get() && call(momentary.get());
}

bool WaveOutput::capabilities(bool& leftRight) const {
    SectionLock lock(deviceLock_);
    if (settings_.mode != kOutputWaveDevice) return settings_.mode == kOutputDirectSound;
    WAVEOUTCAPSA caps{};
    if (waveOutGetDevCapsA(UINT_PTR(settings_.deviceId), &caps, sizeof caps) != MMSYSERR_NOERROR)
        return false;
    leftRight = (caps.dwSupport & WAVECAPS_LRVOLUME) != 0;
    return (caps.dwSupport & WAVECAPS_VOLUME) != 0;
}

bool WaveOutput::setVolume(uint32_t volume) {
    SectionLock lock(deviceLock_);
    const OutputSettings& s = device_ ? openSettings_ : settings_;
    if (s.mode == kOutputWaveDevice) {
        if (onWaveHandle(
                [&](HWAVEOUT h) { return waveOutSetVolume(h, volume) == MMSYSERR_NOERROR; }))
            return true;
        setEngineError(kErrorDevice);
        return false;
    }
    if (s.mode == kOutputDirectSound) {
        auto* sound = dynamic_cast<DirectSoundOutput*>(device_.get());
        if (!sound) {
            setEngineError(kErrorState);
            return false;
        }
        return SUCCEEDED(
            sound->buffer()->SetVolume(directSoundVolumeFromLevel(rightLevel(volume))));
    }
    return false;
}

bool WaveOutput::getVolume(uint32_t& volume) {
    SectionLock lock(deviceLock_);
    const OutputSettings& s = device_ ? openSettings_ : settings_;
    if (s.mode == kOutputWaveDevice) {
        DWORD value = 0;
        if (!onWaveHandle(
                [&](HWAVEOUT h) { return waveOutGetVolume(h, &value) == MMSYSERR_NOERROR; }))
            return false;
        volume = value;
        return true;
    }
    if (s.mode == kOutputDirectSound) {
        auto* sound = dynamic_cast<DirectSoundOutput*>(device_.get());
        LONG level = 0;
        if (!sound) {
            setEngineError(kErrorState);
            return false;
        }
        if (FAILED(sound->buffer()->GetVolume(&level))) return false;
        uint32_t v = levelFromDirectSoundVolume(level);
        volume = v | (v << 16);
        return true;
    }
    return false;
}

}  // namespace kz8::audio
