#include "capture/portable/connection_plan.h"

namespace kz8::capture {

void connectCaptureChain(PinConnector& connector) {
    if (connector.connect(Link::captureToDecompressor)) {
        if (!connector.connect(Link::decompressorToDibFilter)) {
            connector.connect(Link::decompressorToConverter);
        }
    } else {
        connector.connect(Link::captureToConverter);
    }
    connector.connect(Link::converterToDibFilter);
    connector.connect(Link::renderDibFilterOutput);
}

}  // namespace kz8::capture
