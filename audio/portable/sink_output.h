// Output to the caller's PcmSink: the sink must have both functions and
// accept the opening call, and every block goes to its data function.
#pragma once

#include "audio/portable/output_device.h"
#include "audio/portable/pcm_format.h"
#include "audio/portable/pcm_sink.h"

namespace kz8::audio {

class SinkOutput : public OutputDevice {
public:
    // Throws the device error when the sink is incomplete or refuses to open.
    SinkOutput(const PcmSink& sink, const PcmFormat& format);
    // Tells the sink that the output closes.
    ~SinkOutput() override;
    SinkOutput(const SinkOutput&) = delete;
    SinkOutput& operator=(const SinkOutput&) = delete;

    int32_t writeBlock(const uint8_t* data, uint32_t length) override;

private:
    PcmSink sink_;
    PcmFormat format_;
};

}  // namespace kz8::audio
