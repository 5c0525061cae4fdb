// The one AudioPlayer of the process (or of the module that links the
// engine): constructed at start-up, destroyed at exit.
#pragma once

#include "audio/win32/audio_player.h"

namespace kz8::audio {

AudioPlayer& processPlayer();

}  // namespace kz8::audio
