// The audio engine's module-wide error code. Inside the engine a failure sets
// the code and throws it as an integer; the player's public operations catch
// the integer and leave the code for TakeError.
#pragma once

#include <cstdint>

namespace kz8::audio {

enum EngineError : int32_t {
    kErrorNone = 0,
    kErrorState = 2,      // operation not allowed in the current state
    kErrorResources = 3,  // event, thread or decoder set-up
    kErrorStream = 5,     // the stream cannot be opened, read or decoded
    kErrorDevice = 6,     // output device
    kErrorSink = 9,       // PCM sink output without both sink functions
};

void setEngineError(int32_t code);
int32_t engineError();
// Returns the code and resets it to kErrorNone.
int32_t takeEngineError();

// Sets the code and throws it as the engine's integer exception.
[[noreturn]] void throwEngineError(int32_t code);

}  // namespace kz8::audio
