#include "audio/tests/mp3_test_streams.h"

#include "audio/portable/frame_decoder.h"

#include <algorithm>
#include <cstring>

namespace kz8::audio::testkit {

uint32_t headerWord(const HeaderFields& s) {
    return 0xFFE00000u | (uint32_t(s.version) << 19) | (uint32_t(4 - s.layer) << 17) |
           (uint32_t(s.crc ? 0 : 1) << 16) | (uint32_t(s.bitrateIndex) << 12) |
           (uint32_t(s.rateBits) << 10) | (uint32_t(s.padding) << 9) | (uint32_t(s.mode) << 6) |
           (uint32_t(s.modeExtension) << 4);
}

void appendFrame(Bytes& out, uint32_t header, size_t frameLength, uint8_t fill) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(header >> shift));
    out.insert(out.end(), frameLength - 4, fill);
}

Bytes id3Tag(uint32_t tagSize) {
    Bytes tag = {'I', 'D', '3', 3, 0, 0};
    for (int shift = 21; shift >= 0; shift -= 7) tag.push_back(uint8_t((tagSize >> shift) & 0x7F));
    // Tag contents that would pass for frame headers if the scan looked inside.
    for (uint32_t i = 0; i < tagSize; ++i) tag.push_back(i % 2 ? 0xFB : 0xFF);
    if (tagSize >= 4) std::fill(tag.end() - 4, tag.end(), 0);  // padding at the end
    return tag;
}

void append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

uint32_t cbr128Header(int padding) {
    HeaderFields fields;
    fields.padding = padding;
    return headerWord(fields);
}

namespace {

MemoryStream& self(void* context) { return *static_cast<MemoryStream*>(context); }

uint8_t streamOpen(void* context, uint32_t* userValue, uint8_t* flag) {
    MemoryStream& s = self(context);
    if (s.failOpen) return 0;
    ++s.opens;
    s.pos = 0;
    *userValue = s.userValue;
    *flag = s.flag;
    return 1;
}

void streamClose(void* context, uint32_t) { ++self(context).closes; }

uint8_t streamSize(void* context, uint32_t, uint32_t* size) {
    MemoryStream& s = self(context);
    if (s.failSize) return 0;
    *size = uint32_t(s.data.size());
    return 1;
}

uint8_t streamSeek(void* context, uint32_t, int32_t* position, int32_t origin) {
    MemoryStream& s = self(context);
    if (s.failSeek) return 0;
    const long long base = origin == 0   ? 0
                           : origin == 1 ? (long long)s.pos
                                         : (long long)s.data.size();
    const long long target = base + *position;
    if (target < 0) return 0;
    s.pos = size_t(target);
    if (s.moveThenFailSeek && origin == 0) {
        s.moveThenFailSeek = false;
        return 0;
    }
    *position = int32_t(target);
    return 1;
}

uint8_t streamRead(void* context, uint32_t, void* buffer, uint32_t count, uint32_t* got) {
    MemoryStream& s = self(context);
    if (s.readsBeforeFailure == 0) return 0;
    if (s.readsBeforeFailure > 0) --s.readsBeforeFailure;
    const size_t available = s.pos < s.data.size() ? s.data.size() - s.pos : 0;
    const size_t n = std::min<size_t>(count, available);
    if (n > 0) std::memcpy(buffer, s.data.data() + s.pos, n);
    s.pos += n;
    *got = uint32_t(n);
    return 1;
}

}  // namespace

StreamSource MemoryStream::functions() {
    StreamSource fn;
    fn.open = &streamOpen;
    fn.close = &streamClose;
    fn.size = &streamSize;
    fn.seek = &streamSeek;
    fn.read = &streamRead;
    fn.context = this;
    return fn;
}

StreamReaderRig::StreamReaderRig(Bytes bytes) {
    stream.data = std::move(bytes);
    params.sourceKind = kSourceStream;
    params.stream = stream.functions();
}

std::vector<uint32_t> StreamReaderRig::readAllFrameStarts() {
    std::vector<uint32_t> starts;
    for (;;) {
        const int result = reader.readFrame();
        if (result == kEndOfStream) break;
        if (result != kFrameRead) continue;
        starts.push_back(uint32_t(stream.pos) - uint32_t(reader.header().bodySize) - 4);
    }
    return starts;
}

std::vector<uint8_t> decodedPcm(Mp3StreamReader& reader, const DecoderSettings& settings,
                                int frames) {
    FrameDecoder decoder;
    decoder.prepare(settings);
    PcmCollector collector;
    for (int decoded = 0, result;
         decoded != frames && (result = reader.readFrame()) != kEndOfStream;)
        if (result == kFrameRead) {
            decoder.decodeFrame(reader, collector);
            ++decoded;
        }
    decoder.flushBlock(collector);
    return collector.pcm;
}

}  // namespace kz8::audio::testkit
