#include "audio/win32/card_sound.h"

#include "audio/win32/process_player.h"

namespace kz8::audio {

namespace {
constexpr int32_t kMsPerSecond = 1000;
// Remembered at open: the card player asks after the sound has started.
int32_t totalMs = 0;
}  // namespace

bool openCardSound(HWND window, const char* path) {
    AudioPlayer& player = processPlayer();
    player.SetOwnerWindow(window);
    stopCardSound();
    totalMs = 0;
    if (!player.SetFileName(path) || !player.Open() || !player.Prepare()) return false;
    totalMs = player.GetTotalTime();
    return true;
}

bool playCardSound() {
    AudioPlayer& player = processPlayer();
    switch (player.GetState()) {
        case kPrepared: return player.Play();
        case kPaused: return player.Resume();
        default: return false;
    }
}

int32_t pauseCardSound() {
    AudioPlayer& player = processPlayer();
    if (player.GetState() == kPlaying) player.Pause();
    return player.GetState();
}

void stopCardSound() {
    AudioPlayer& player = processPlayer();
    if (player.GetState() == kIdle) return;
    if (player.GetState() == kPlaying) player.Stop();
    player.Close();
}

int32_t cardSoundSeconds() { return totalMs > 0 ? totalMs / kMsPerSecond : 0; }

}  // namespace kz8::audio
