// Unpacking the card appended to the player's own executable: the clip and
// the sound into the temporary folder, the two pictures into DIBs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "player/win32/player_state.h"

namespace kz8::player {

// Copies `length` bytes from the package file's current position into the
// freshly created destination. Ends at the end of the package, on a read
// error and on a write error; false only when writing failed.
bool CopyPackageRange(HANDLE destination, HANDLE package, uint64_t length);

// Runs once at start-up on the program's own file and fills playerState().
// A file without a valid package shows "The file is invalid." and fails.
bool ExtractCardPackage();

// The same, for any card file and record; tests call it directly.
bool extractCardPackageFrom(const std::string& cardPath, PlayerState& state);

// How the player shows its message boxes and counts wave devices; tests
// replace them, nullptr restores the real ones.
using MessageBoxFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
void setPlayerMessageBox(MessageBoxFunction show);
using WaveDeviceCountFunction = UINT(WINAPI*)();
void setWaveDeviceCounter(WaveDeviceCountFunction count);

// The folder media files go to, ending in a backslash and without blanks
// when the system can give its short form.
std::string temporaryFolderPrefix();

}  // namespace kz8::player
