#include "audio/portable/engine_error.h"

#include <atomic>

namespace kz8::audio {

namespace {
// Written by the playback thread and read by the client thread.
std::atomic<int32_t> lastError{kErrorNone};
}  // namespace

void setEngineError(int32_t code) { lastError.store(code); }
int32_t engineError() { return lastError.load(); }
int32_t takeEngineError() { return lastError.exchange(kErrorNone); }

void throwEngineError(int32_t code) {
    setEngineError(code);
    throw int(code);
}

}  // namespace kz8::audio
