// Video for Windows media windows for the card's clip and WAVE sound.
#pragma once

#include <windows.h>

namespace kz8::player {

// Owned pop-up, clipped siblings, thin border, no menu, no play bar, and a
// mode notification to the parent on every change; hidden when created.
constexpr DWORD kMediaWindowStyle = 0x8480010A;

constexpr UINT kMciWndCanPlay = 0x490;     // MCIWNDM_CAN_PLAY
constexpr UINT kMciSeek = 0x807;           // MCI_SEEK, position 0
constexpr UINT kMciPlay = 0x806;           // MCI_PLAY
constexpr UINT kMciPause = 0x809;          // MCI_PAUSE
constexpr UINT kMciWndNotifyMode = 0x4C8;  // MCIWNDM_NOTIFYMODE to the parent
constexpr LPARAM kMciModeStopped = 525;    // MCI_MODE_STOP
constexpr LPARAM kMciModePlaying = 526;    // MCI_MODE_PLAY

// Without it Video for Windows reports a file it cannot open in a modal
// message box, which would stop the card until someone clicks it; the player
// stays silent about media failures and moves on instead.
constexpr DWORD kMciWndNoErrorDialog = 0x4000;  // MCIWNDF_NOERRORDLG

// MCIWndCreateA with these arguments, the style with kMciWndNoErrorDialog
// added; nullptr when no window.
HWND CreateMediaWindow(HWND parent, HINSTANCE instance, DWORD style, const char* path);

bool MediaCanPlay(HWND media);
// Moves the window, frame included, to `screenRect` and shows it.
void ShowMediaAt(HWND media, const RECT& screenRect);
void PlayMediaFromStart(HWND media);  // seek to 0, then play
// The keyboard focus back to the media window's owner, the clip staying in
// sight above it.
void GiveFocusBackFrom(HWND media, HWND owner);
void PauseMedia(HWND media);
void CloseMedia(HWND media);  // destroys the window and closes the device

}  // namespace kz8::player
