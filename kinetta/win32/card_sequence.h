// The player window's messages handed to the card's sequence: timers, media
// notices, painting, and the clean-up at the end.
#pragma once

#include <windows.h>

namespace kz8::player {

// Makes the sequence for the unpacked card; before the window is created.
void CreateCardSequence();
void OnPlayerTimer(UINT_PTR timer);
// A media window's mode notice; only the stopped mode of our own windows counts.
void OnMediaStopped(HWND media, LPARAM mode);
void PaintCard(HWND window);
// The window is going: stops the sound, closes the media windows, frees the
// pictures, deletes the media files and ends the message loop.
void CleanupPlayer();

}  // namespace kz8::player
