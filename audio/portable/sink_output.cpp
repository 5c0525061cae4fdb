#include "audio/portable/sink_output.h"

#include "audio/portable/engine_error.h"

namespace kz8::audio {

SinkOutput::SinkOutput(const PcmSink& sink, const PcmFormat& format)
    : sink_(sink), format_(format) {
    if (!sink_.complete() || !sink_.sendControl(kSinkOpening)) throwEngineError(kErrorDevice);
}

SinkOutput::~SinkOutput() { sink_.sendControl(kSinkClosing); }

int32_t SinkOutput::writeBlock(const uint8_t* data, uint32_t length) {
    if (!sink_.data(data, format_.bitsPerSample, format_.channels, format_.sampleRate, length,
                    sink_.context))
        throwEngineError(kErrorDevice);
    return int32_t(length);
}

}  // namespace kz8::audio
