// The player's states and which operation may run in which of them. The
// client thread asks before it acts; a refused operation changes nothing.
#pragma once

#include <cstdint>

namespace kz8::audio {

enum PlayerState : int32_t {
    kIdle = 0,
    kOpened = 1,
    kPrepared = 2,
    kEnded = 3,
    kPlaying = 4,
    kPaused = 5,
};

enum class PlayerOperation {
    SetFileName,
    SetCaptureFile,
    SetSourceKind,
    SetOutputMode,
    SetStreamSource,
    SetPcmSink,
    SetBuffering,
    SetDeviceWhileIdle,
    SetDevice,
    SetOwnerWindow,
    SetNotifySink,
    Open,
    Prepare,
    Play,
    Pause,
    Resume,
    Stop,
    Seek,
    GetTotalTime,
    GetCurrentTime,
    GetSourceFlag,
};

// Whether op may run in state. Operations allowed everywhere (Close,
// SetRange, SetPriority, GetState, TakeError) are not in the table.
bool isAllowed(PlayerOperation op, int32_t state);

// Whether a playback thread runs in state.
inline bool isRunning(int32_t state) { return state == kPlaying || state == kPaused; }

}  // namespace kz8::audio
