// One open output of the engine in one of its modes. Opening happens in the
// constructor and closing in the destructor, so a failed playback can never
// leave a device or file open.
#pragma once

#include "audio/portable/block_output.h"

namespace kz8::audio {

class OutputDevice : public BlockOutput {
public:
    // Handles what the device has sent back (finished buffers).
    virtual void processNotices() {}
    // Returns when everything written has been played.
    virtual void drain() {}
    virtual void pause() {}
    virtual void restart() {}
    // Drops everything queued (a seek or a stop).
    virtual void reset() {}
};

}  // namespace kz8::audio
