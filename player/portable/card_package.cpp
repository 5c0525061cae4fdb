#include "player/portable/card_package.h"

#include "common/portable/le_bytes.h"

namespace kz8::player {

const char kCardVersion[] = "2.0";

std::optional<CardTrailer> parseCardTrailer(const uint8_t* bytes, size_t size, std::string* error) {
    auto fail = [&](const char* why) -> std::optional<CardTrailer> {
        if (error) *error = why;
        return std::nullopt;
    };
    ByteReader reader(bytes, size);
    if (!reader.has(kCardTrailerSize)) return fail("file too short for a card trailer");
    CardTrailer trailer;
    reader.readU32(trailer.magic);
    reader.readFixedText(kCardVersionFieldSize, trailer.version);
    reader.readU32(trailer.headerOffset);
    if (trailer.magic != kCardMagic) return fail("no card trailer (magic is not AVTP)");
    if (trailer.version != kCardVersion) return fail("unsupported card version");
    return trailer;
}

std::optional<CardHeaderBlock> parseCardHeaderBlock(const uint8_t* bytes, size_t size) {
    ByteReader reader(bytes, size);
    if (!reader.has(kCardHeaderBlockSize)) return std::nullopt;
    CardHeaderBlock block;
    CardHeader& h = block.header;
    uint16_t left = 0, top = 0, width = 0, height = 0;
    reader.readU32(h.frontOffset);
    reader.readU32(h.frontSize);
    reader.readU16(left);
    reader.readU16(top);
    reader.readU16(width);
    reader.readU16(height);
    h.videoLeft = int16_t(left);
    h.videoTop = int16_t(top);
    h.videoWidth = int16_t(width);
    h.videoHeight = int16_t(height);
    reader.readFixedText(kVideoSuffixFieldSize, h.videoSuffix);
    reader.readU32(h.videoOffset);
    reader.readI32(h.videoSize);
    reader.readI32(h.audioKind);
    reader.readU32(h.audioOffset);
    reader.readI32(h.audioSize);
    reader.readU32(h.reserved);
    reader.readU32(block.back.backOffset);
    reader.readU32(block.back.backSize);
    reader.readBytes(block.reserved.data(), block.reserved.size());
    return block;
}

std::vector<uint8_t> encodeCardTrailer(const CardTrailer& trailer) {
    std::vector<uint8_t> out;
    ByteWriter writer(out);
    writer.putU32(trailer.magic);
    writer.putFixedText(trailer.version, kCardVersionFieldSize);
    writer.putU32(trailer.headerOffset);
    return out;
}

std::vector<uint8_t> encodeCardHeaderBlock(const CardHeaderBlock& block) {
    std::vector<uint8_t> out;
    ByteWriter writer(out);
    const CardHeader& h = block.header;
    writer.putU32(h.frontOffset);
    writer.putU32(h.frontSize);
    writer.putU16(uint16_t(h.videoLeft));
    writer.putU16(uint16_t(h.videoTop));
    writer.putU16(uint16_t(h.videoWidth));
    writer.putU16(uint16_t(h.videoHeight));
    writer.putFixedText(h.videoSuffix, kVideoSuffixFieldSize);
    writer.putU32(h.videoOffset);
    writer.putI32(h.videoSize);
    writer.putI32(h.audioKind);
    writer.putU32(h.audioOffset);
    writer.putI32(h.audioSize);
    writer.putU32(h.reserved);
    writer.putU32(block.back.backOffset);
    writer.putU32(block.back.backSize);
    writer.putBytes(block.reserved.data(), block.reserved.size());
    return out;
}

static bool isAsciiLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

std::string videoExtensionOf(const std::string& suffix) {
    constexpr size_t kMaxExtensionLetters = 10;
    const size_t dot = suffix.rfind('.');
    if (dot == std::string::npos) return {};
    const size_t letters = suffix.size() - dot - 1;
    if (letters < 1 || letters > kMaxExtensionLetters) return {};
    for (size_t i = dot + 1; i < suffix.size(); ++i)
        if (!isAsciiLetterOrDigit(suffix[i])) return {};
    return suffix.substr(dot);
}

}  // namespace kz8::player
