#include "audio/win32/process_player.h"

namespace kz8::audio {

namespace {
// A namespace-scope object rather than a function-local static: it must be
// built when the module loads, before any client thread can race for it.
AudioPlayer thePlayer;
}  // namespace

AudioPlayer& processPlayer() { return thePlayer; }

}  // namespace kz8::audio
