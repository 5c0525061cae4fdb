// The card player's MP3 sound track: five small operations over the
// process's one AudioPlayer, called from the player's window thread.
#pragma once

#include <windows.h>

#include <cstdint>

namespace kz8::audio {

// Stops and closes whatever was open, then opens and prepares path with
// window as owner. False when the file cannot be opened or prepared.
bool openCardSound(HWND window, const char* path);
// Plays a prepared sound or resumes a paused one; false otherwise.
bool playCardSound();
// Pauses a playing sound; in any other state nothing changes. Returns the state.
int32_t pauseCardSound();
// Stops and closes; the file is closed afterwards (the player deletes it).
void stopCardSound();
// Length of the sound opened last, in whole seconds (0 when none).
int32_t cardSoundSeconds();

}  // namespace kz8::audio
