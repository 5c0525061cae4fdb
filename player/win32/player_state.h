// The player's one process-wide record: media paths, pictures, media
// windows, flags and what the window shows.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/win32/handles.h"
#include "player/portable/card_package.h"

namespace kz8::player {

constexpr size_t kPlayerPathSize = 260;

struct PlayerState {
    char videoPath[kPlayerPathSize];
    char audioPath[kPlayerPathSize];
    GlobalMemory frontPicture;  // decoded DIBs, freed with the record
    GlobalMemory backPicture;
    HWND videoWindow;
    HWND audioWindow;
    RECT videoRect;  // card-relative
    int32_t hasVideo;
    int32_t hasAudio;
    int32_t audioKind;
    uint8_t reservedRecord[kCardReservedSize];
    int32_t displayState;  // a DisplayState, kept by the card's sequence
};

PlayerState& playerState();

// The module whose resources hold the player's texts; the program entry sets it.
void setPlayerInstance(HINSTANCE instance);
HINSTANCE playerInstance();

// Frees both pictures and deletes the media files; an empty path deletes nothing.
void releasePlayerMedia(PlayerState& state);

}  // namespace kz8::player
