// KZ8Audio: MP3 preview for the authoring application. Seven thin functions
// over this library's own AudioPlayer, which lives as long as the library is
// loaded. The .def files give them the names an MSVC-built host links to.
#include <windows.h>

#include "audio/portable/playback_range.h"
#include "audio/win32/process_player.h"

using kz8::audio::AudioPlayer;
using kz8::audio::processPlayer;

extern "C" {

void __cdecl onStopMp3() {
    AudioPlayer& player = processPlayer();
    if (player.GetState() == kz8::audio::kIdle) return;
    if (player.GetState() == kz8::audio::kPlaying) player.Stop();
    player.Close();  // also stops a paused player
}

void __cdecl onInitMp3() { onStopMp3(); }

int __cdecl onOpenMp3(HWND window, char* path) {
    AudioPlayer& player = processPlayer();
    player.SetOwnerWindow(window);
    if (player.GetState() != kz8::audio::kIdle) onStopMp3();
    player.SetFileName(path);
    player.Open();
    // A failed open leaves the player Idle, where Prepare is refused.
    return player.Prepare() ? 1 : 0;
}

void __cdecl onPlayMp3() {
    AudioPlayer& player = processPlayer();
    switch (player.GetState()) {
        case kz8::audio::kPrepared: player.Play(); break;
        case kz8::audio::kPaused: player.Resume(); break;
        default: break;
    }
}

void __cdecl onPauseMp3() {
    AudioPlayer& player = processPlayer();
    const int32_t state = player.GetState();
    // In Prepared the player refuses the pause and nothing changes.
    if (state == kz8::audio::kPlaying || state == kz8::audio::kPrepared) player.Pause();
}

int __cdecl onGetTotalTime() {
    return kz8::audio::previewSeconds(processPlayer().GetTotalTime());
}

int __cdecl onGetCurStatus() { return processPlayer().GetState(); }

}  // extern "C"
