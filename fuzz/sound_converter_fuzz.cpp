// Any PCM format the script names, its bytes cut into blocks anywhere,
// through the sound converter and its end.
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_script.h"
#include "movie/portable/sound_converter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kz8::movie;
    kz8::fuzzing::FuzzScript script(data, size);
    // Rates from the common ones and from anywhere, so the odd ones get in.
    constexpr int kRates[] = {8000, 11025, 16000, 22050, 32000, 44100, 48000, 96000};
    const uint8_t rateChoice = script.next<uint8_t>();
    const int rate = rateChoice < 200   ? kRates[rateChoice % 8]
                     : rateChoice < 250 ? 1000 + int(script.next<uint32_t>() % 999001)
                                        : script.next<int32_t>();
    PcmFormat format{static_cast<PcmFormat::Sample>(script.next<uint8_t>() % 6),
                     script.next<uint8_t>() % 40, rate};
    SoundConverter converter(format);
    std::vector<uint8_t> out;
    while (!script.done()) {
        const size_t block = std::min<size_t>(script.next<uint8_t>() * 7u, script.restSize());
        converter.convert(script.rest(), block, out);
        script.skip(block);
    }
    converter.finish(out);
    return 0;
}
