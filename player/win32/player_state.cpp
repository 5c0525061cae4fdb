#include "player/win32/player_state.h"

namespace kz8::player {
namespace {
PlayerState gState{};
HINSTANCE gInstance = nullptr;
}  // namespace

PlayerState& playerState() { return gState; }

void setPlayerInstance(HINSTANCE instance) { gInstance = instance; }
HINSTANCE playerInstance() { return gInstance ? gInstance : GetModuleHandleA(nullptr); }

static void deleteIfNamed(char* path) {
    if (path[0] != '\0') DeleteFileA(path);
    path[0] = '\0';
}

void releasePlayerMedia(PlayerState& state) {
    state.frontPicture.reset();
    state.backPicture.reset();
    deleteIfNamed(state.videoPath);
    deleteIfNamed(state.audioPath);
}

}  // namespace kz8::player
