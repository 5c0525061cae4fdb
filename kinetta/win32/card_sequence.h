// What the card shows and plays, and when: the front while its clip and then
// its sound play, then the back dissolving in; the Turn button's turns; the
// clean-up at the end. Everything runs on the window thread.
#pragma once

#include <windows.h>

namespace kz8 {

// Disables Play and Stop and sets the timer that starts the front's media
// (or, for a card without any, the one that turns it after 5 s).
void ArmStartTimer(HWND window);
void StartVideo();
void StartSound();
void PauseSound();
// A media window's mode notice; only the stopped mode counts.
void OnMediaStopped(HWND media, LPARAM mode);
// Front to back at once (the reveal runs within the call), or back to front
// with the whole sequence started again.
void TurnCard();
void OnPlayerTimer(HWND window, UINT_PTR timer);
// The window is going: stops the sound, closes the media windows, frees the
// pictures, deletes the media files and ends the message loop.
void CleanupPlayer();

}  // namespace kz8
