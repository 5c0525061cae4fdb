#include "outside/capture/camera/camera_frames.h"

#include "common/portable/dib.h"

namespace kz8::capture::testkit {

namespace {

constexpr uint8_t kLumaBlack = 16;
constexpr uint8_t kLumaWhite = 235;
constexpr int kChromaMiddle = 128;
constexpr uint16_t kMsVideo1Colour = 0x7FFF;

// The row padding stays as it was.
void invertRgb24(std::vector<uint8_t>& frame, int width, int height) {
    const size_t stride = dibRowStride(width, 24);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = frame.data() + size_t(y) * stride;
        for (size_t i = 0; i < size_t(width) * 3; ++i) row[i] = uint8_t(255 - row[i]);
    }
}

// Limited-range BT.601 mirrors about its middle: for the pattern's colours
// (channels 0 or 255) the inverted colour's luma is black + white - Y and
// its chroma 256 - C, exactly as the generator rounds them.
void invertYuy2(std::vector<uint8_t>& frame) {
    for (size_t i = 0; i + 1 < frame.size(); i += 2) {
        frame[i] = uint8_t(kLumaBlack + kLumaWhite - frame[i]);
        frame[i + 1] = uint8_t(2 * kChromaMiddle - frame[i + 1]);
    }
}

// Every word is a one-colour block: the flag bit stays, the five-bit
// channels go from v to 31 - v.
void invertMsVideo1(std::vector<uint8_t>& frame) {
    for (size_t i = 0; i + 1 < frame.size(); i += 2) {
        frame[i] = uint8_t(~frame[i]);
        frame[i + 1] = uint8_t(frame[i + 1] ^ (kMsVideo1Colour >> 8));
    }
}

}  // namespace

std::vector<uint8_t> cameraFrame(const CameraMode& mode, uint32_t counter, bool inverted) {
    std::vector<uint8_t> frame = makeFrame(mode.format, mode.width, mode.height, counter);
    if (!inverted) return frame;
    switch (mode.format) {
        case CameraFormat::Yuy2: invertYuy2(frame); break;
        case CameraFormat::MsVideo1: invertMsVideo1(frame); break;
        default: invertRgb24(frame, mode.width, mode.height); break;
    }
    return frame;
}

}  // namespace kz8::capture::testkit
