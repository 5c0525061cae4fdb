// The card package appended to the player's executable: a 16-byte trailer at
// the very end of the file leads to a 72-byte header block (the card header,
// the back-picture entry and 12 reserved bytes); the data blocks lie anywhere
// before it. One module reads and writes it, so that the player and the card
// packer cannot disagree about a byte.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kz8::player {

constexpr size_t kCardTrailerSize = 16;
constexpr size_t kCardHeaderSize = 52;
constexpr size_t kBackPictureEntrySize = 8;
constexpr size_t kCardReservedSize = 12;
constexpr size_t kCardHeaderBlockSize =
    kCardHeaderSize + kBackPictureEntrySize + kCardReservedSize;  // 72
constexpr size_t kCardVersionFieldSize = 8;
constexpr size_t kVideoSuffixFieldSize = 12;
constexpr size_t kVideoSuffixMaxLength = kVideoSuffixFieldSize - 1;
constexpr uint32_t kCardMagic = 0x50545641;  // "AVTP" read little-endian
extern const char kCardVersion[];            // "2.0"

enum AudioKind : int32_t { kAudioWave = 0, kAudioMp3 = 1 };

struct CardTrailer {
    uint32_t magic = kCardMagic;
    std::string version = kCardVersion;  // text up to the field's first NUL
    uint32_t headerOffset = 0;
};

struct CardHeader {
    uint32_t frontOffset = 0;
    uint32_t frontSize = 0;
    int16_t videoLeft = 0, videoTop = 0, videoWidth = 0, videoHeight = 0;
    std::string videoSuffix;  // at most kVideoSuffixMaxLength characters
    uint32_t videoOffset = 0;
    int32_t videoSize = 0;
    int32_t audioKind = kAudioWave;
    uint32_t audioOffset = 0;
    int32_t audioSize = 0;
    uint32_t reserved = 0;

    bool hasVideo() const { return videoSize > 0; }
    bool hasSound() const { return audioSize > 0; }
};

struct BackPictureEntry {
    uint32_t backOffset = 0;
    uint32_t backSize = 0;
};

// Everything the header block says.
struct CardHeaderBlock {
    CardHeader header;
    BackPictureEntry back;
    std::array<uint8_t, kCardReservedSize> reserved{};
};

// Nothing, with the reason in *error, unless the magic is "AVTP" and the
// version text is exactly "2.0" (bytes after its NUL are not looked at).
std::optional<CardTrailer> parseCardTrailer(const uint8_t* bytes, size_t size,
                                            std::string* error = nullptr);
// Needs kCardHeaderBlockSize bytes; the fields are not judged here.
std::optional<CardHeaderBlock> parseCardHeaderBlock(const uint8_t* bytes, size_t size);

std::vector<uint8_t> encodeCardTrailer(const CardTrailer& trailer);
std::vector<uint8_t> encodeCardHeaderBlock(const CardHeaderBlock& block);

// The file-name extension that ends a video suffix ("_1.avi" gives ".avi"):
// its final dot and the 1 to 10 letters or digits after it; empty when the
// suffix does not end in one. The suffix comes from an untrusted file, and
// only the extension it yields ever becomes part of a path we write to.
std::string videoExtensionOf(const std::string& suffix);

}  // namespace kz8::player
