// The order in which the capture graph's pins are connected. A device that
// delivers compressed frames goes through the AVI Decompressor, anything
// else through the Color Space Converter; the converter's output is offered
// to the DibFilter in every case, which simply fails when the decompressor
// already feeds it. Failed links are tolerated: without a connected
// DibFilter there is just no picture.
#pragma once

namespace kz8::capture {

enum class Link {
    captureToDecompressor,
    captureToConverter,
    decompressorToDibFilter,
    decompressorToConverter,
    converterToDibFilter,
    renderDibFilterOutput,  // the graph's default rendering of its output
};

class PinConnector {
public:
    virtual ~PinConnector() = default;
    // Whether the link was made.
    virtual bool connect(Link link) = 0;
};

void connectCaptureChain(PinConnector& connector);

}  // namespace kz8::capture
