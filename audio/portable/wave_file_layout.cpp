#include "audio/portable/wave_file_layout.h"

#include "common/portable/le_bytes.h"

namespace kz8::audio {

namespace {
constexpr uint16_t kFormatTagPcm = 1;
}

std::vector<uint8_t> waveFileHeader(const PcmFormat& format, uint32_t dataLength) {
    std::vector<uint8_t> bytes;
    ByteWriter out(bytes);
    out.putBytes("RIFF", 4);
    out.putU32(uint32_t(kWaveHeaderSize - 8) + dataLength);
    out.putBytes("WAVE", 4);
    out.putBytes("fmt ", 4);
    out.putU32(kWaveFmtChunkSize);
    out.putU16(kFormatTagPcm);
    out.putU16(uint16_t(format.channels));
    out.putU32(uint32_t(format.sampleRate));
    out.putU32(uint32_t(format.bytesPerSecond()));
    out.putU16(uint16_t(format.blockAlign()));
    out.putU16(uint16_t(format.bitsPerSample));
    out.putU16(0);  // no extra format bytes
    out.putBytes("data", 4);
    out.putU32(dataLength);
    return bytes;
}

std::optional<ParsedWaveFile> parseWaveFile(const std::vector<uint8_t>& bytes) {
    ByteReader in(bytes.data(), bytes.size());
    std::string riff, wave, fmt, data;
    uint32_t riffLength = 0, fmtSize = 0, rate = 0, perSecond = 0, dataLength = 0;
    uint16_t tag = 0, channels = 0, align = 0, bits = 0, extra = 0;
    if (!in.readFixedText(4, riff) || !in.readU32(riffLength) || !in.readFixedText(4, wave) ||
        !in.readFixedText(4, fmt) || !in.readU32(fmtSize) || !in.readU16(tag) ||
        !in.readU16(channels) || !in.readU32(rate) || !in.readU32(perSecond) ||
        !in.readU16(align) || !in.readU16(bits) || !in.readU16(extra) ||
        !in.readFixedText(4, data) || !in.readU32(dataLength))
        return std::nullopt;
    if (riff != "RIFF" || wave != "WAVE" || fmt != "fmt " || data != "data" ||
        fmtSize != kWaveFmtChunkSize || tag != kFormatTagPcm || extra != 0)
        return std::nullopt;
    if (riffLength != bytes.size() - 8 || dataLength != in.remaining()) return std::nullopt;
    ParsedWaveFile file;
    file.format = {int32_t(rate), channels, bits};
    if (uint32_t(file.format.blockAlign()) != align ||
        uint32_t(file.format.bytesPerSecond()) != perSecond)
        return std::nullopt;
    file.dataOffset = uint32_t(in.position());
    file.dataLength = dataLength;
    return file;
}

}  // namespace kz8::audio
