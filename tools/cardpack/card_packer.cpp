#include "tools/cardpack/card_packer.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/portable/jpeg_dib.h"
#include "common/portable/stdio_file.h"
#include "player/portable/card_rect.h"
#include "player/portable/card_writer.h"
#include "player/portable/package_reader.h"
#include "player/portable/stdio_package_file.h"

namespace kz8::cardpack {

// The packer writes and reads the card player's own format.
using namespace kz8::player;
namespace fs = std::filesystem;
namespace {

constexpr size_t kSoundProbeSize = 12;
// Clips can be hundreds of megabytes: large chunks keep the copy near disk speed.
constexpr size_t kToolCopyChunk = 1u << 20;
constexpr uint8_t kMpegSyncByte = 0xFF, kMpegSyncMask = 0xE0;

Outcome failure(const std::string& why) {
    Outcome o;
    o.error = why;
    return o;
}

std::optional<uint64_t> fileSize(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return std::nullopt;
    uint64_t size = fs::file_size(path, ec);
    if (ec) return std::nullopt;
    UniqueFile probe = openFile(path, "rb");
    if (!probe) return std::nullopt;
    return size;
}

// By content, not by name: a WAVE file is RIFF/WAVE, an MP3 starts with an
// ID3 tag or a frame sync.
std::optional<int32_t> soundKindOf(const std::string& path) {
    uint8_t head[kSoundProbeSize] = {};
    UniqueFile file = openFile(path, "rb");
    size_t n = file ? std::fread(head, 1, sizeof head, file.get()) : 0;
    if (n >= kSoundProbeSize && !std::memcmp(head, "RIFF", 4) && !std::memcmp(head + 8, "WAVE", 4))
        return kAudioWave;
    if (n >= 3 && !std::memcmp(head, "ID3", 3)) return kAudioMp3;
    if (n >= 2 && head[0] == kMpegSyncByte && (head[1] & kMpegSyncMask) == kMpegSyncMask)
        return kAudioMp3;
    return std::nullopt;
}

bool appendFile(std::FILE* out, const std::string& path) {
    UniqueFile in = openFile(path, "rb");
    if (!in) return false;
    StdioPackageSource source(in.get());
    StdioPackageSink sink(out);
    CopyResult r = copyPackageBytes(source, 0, source.size(), sink, kToolCopyChunk);
    return !r.writeFailed && r.copied == source.size();
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::exists(a, ec) && fs::exists(b, ec) && fs::equivalent(a, b, ec);
}

// Pictures must decode; a size other than the card's is allowed but drawn
// unscaled, so it is worth a warning.
bool checkPicture(const std::string& role, const std::string& path, Outcome& out) {
    std::string why;
    auto dib = decodeJpegFile(path, &why);
    if (!dib) {
        out.error = role + " picture " + path + " is not a usable JPEG: " + why;
        return false;
    }
    if (dib->view().width() != uint32_t(kCardWidth) ||
        dib->view().height() != uint32_t(kCardHeight))
        out.warnings.push_back(role + " picture is " + std::to_string(dib->view().width()) + " x " +
                               std::to_string(dib->view().height()) +
                               ", not 580 x 380; the player draws it unscaled");
    return true;
}

}  // namespace

bool parseVideoRect(const std::string& text, MakeRequest& request) {
    int values[4];
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d,%d%c", &values[0], &values[1], &values[2], &values[3],
                    &tail) != 4)
        return false;
    for (int v : values)
        if (v < INT16_MIN || v > INT16_MAX) return false;
    request.videoLeft = int16_t(values[0]);
    request.videoTop = int16_t(values[1]);
    request.videoWidth = int16_t(values[2]);
    request.videoHeight = int16_t(values[3]);
    return true;
}

Outcome makeCard(const MakeRequest& r) {
    if (r.player.empty() || r.front.empty() || r.back.empty() || r.output.empty())
        return failure("make needs --player, --front, --back and -o");
    std::error_code ec;
    if (fs::exists(r.output, ec) && !r.force)
        return failure(r.output + " exists; use --force to replace it");
    for (const std::string* input : {&r.player, &r.front, &r.back, &r.sound, &r.video})
        if (!input->empty() && sameFile(*input, r.output))
            return failure("the output would overwrite the input " + *input);

    CardParts parts;
    struct Input {
        const std::string& path;
        uint64_t* size;
    } inputs[] = {{r.player, &parts.playerSize},
                  {r.front, &parts.frontSize},
                  {r.back, &parts.backSize},
                  {r.sound, &parts.soundSize},
                  {r.video, &parts.videoSize}};
    for (const Input& in : inputs) {
        if (in.path.empty()) continue;
        auto size = fileSize(in.path);
        if (!size) return failure("cannot read " + in.path);
        *in.size = *size;
    }
    Outcome out;
    if (!checkPicture("front", r.front, out) || !checkPicture("back", r.back, out)) return out;
    if (!r.sound.empty()) {
        auto kind = soundKindOf(r.sound);
        if (!kind) return failure(r.sound + " is neither a WAVE nor an MP3 file");
        parts.audioKind = *kind;
    }
    if (!r.video.empty()) {
        parts.videoSuffix = fs::path(r.video).extension().string();
        if (parts.videoSuffix.size() > kVideoSuffixMaxLength)
            return failure("video suffix " + parts.videoSuffix + " is longer than 11 characters");
        if (videoExtensionOf(parts.videoSuffix).empty())
            return failure("video file " + r.video +
                           " needs an extension of 1 to 10 letters or digits");
        parts.videoLeft = r.videoLeft, parts.videoTop = r.videoTop;
        parts.videoWidth = r.videoWidth, parts.videoHeight = r.videoHeight;
    }
    std::string why;
    auto plan = planCard(parts, &why);
    if (!plan) return failure(why);

    UniqueFile card = openFile(r.output, "wb");
    if (!card) return failure("cannot write " + r.output);
    bool written = true;
    for (const std::string* part : {&r.player, &r.front, &r.back, &r.video, &r.sound})
        if (!part->empty()) written = written && appendFile(card.get(), *part);
    std::vector<uint8_t> tail = plan->tail();
    written = written && std::fwrite(tail.data(), 1, tail.size(), card.get()) == tail.size();
    written = (std::fclose(card.release()) == 0) && written;
    if (!written) {
        fs::remove(r.output, ec);
        return failure("writing " + r.output + " failed");
    }
    out.ok = true;
    return out;
}

static std::optional<CardPackageIndex> openIndex(const std::string& card, UniqueFile& file,
                                                 std::string& why) {
    file = openFile(card, "rb");
    if (!file) {
        why = "cannot read " + card;
        return std::nullopt;
    }
    StdioPackageSource source(file.get());
    auto index = readCardPackageIndex(source, &why);
    if (!index) why = card + ": " + why;
    return index;
}

static const char* soundKindName(int32_t kind) {
    return kind == kAudioWave ? "WAVE" : kind == kAudioMp3 ? "MP3" : "unknown kind";
}

Outcome listCard(const std::string& card) {
    UniqueFile file;
    std::string why;
    auto index = openIndex(card, file, why);
    if (!index) return failure(why);
    const CardHeader& h = index->block.header;
    const BackPictureEntry& b = index->block.back;
    Outcome out;
    auto line = [&](const std::string& text) { out.lines.push_back(text); };
    line("version " + index->trailer.version + ", header at " +
         std::to_string(index->trailer.headerOffset));
    line("front picture: " + std::to_string(h.frontSize) + " bytes at " +
         std::to_string(h.frontOffset));
    line("back picture: " + std::to_string(b.backSize) + " bytes at " +
         std::to_string(b.backOffset));
    if (h.hasVideo())
        line("video: " + std::to_string(h.videoSize) + " bytes at " +
             std::to_string(h.videoOffset) + ", suffix " + h.videoSuffix + ", rectangle " +
             std::to_string(h.videoLeft) + "," + std::to_string(h.videoTop) + "," +
             std::to_string(h.videoWidth) + "," + std::to_string(h.videoHeight));
    else
        line("video: none");
    if (h.hasSound())
        line(std::string("sound: ") + soundKindName(h.audioKind) + ", " +
             std::to_string(h.audioSize) + " bytes at " + std::to_string(h.audioOffset));
    else
        line("sound: none");
    out.ok = true;
    return out;
}

Outcome extractCard(const std::string& card, const std::string& folder) {
    UniqueFile file;
    std::string why;
    auto index = openIndex(card, file, why);
    if (!index) return failure(why);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return failure("cannot make folder " + folder);
    const CardHeader& h = index->block.header;
    StdioPackageSource source(file.get());
    Outcome out;
    auto writePart = [&](const std::string& name, uint64_t offset, uint64_t size) {
        std::string path = (fs::path(folder) / name).string();
        UniqueFile target = openFile(path, "wb");
        if (!target) return false;
        StdioPackageSink sink(target.get());
        CopyResult r = copyPackageBytes(source, offset, size, sink, kToolCopyChunk);
        if (r.copied < size) out.warnings.push_back(name + " is shorter than the card declares");
        return !r.writeFailed && std::fclose(target.release()) == 0;
    };
    bool ok = writePart("front.jpg", h.frontOffset, h.frontSize) &&
              writePart("back.jpg", index->block.back.backOffset, index->block.back.backSize);
    if (ok && h.hasVideo()) {
        // The suffix came from the card: only its extension names the file.
        std::string suffix = videoExtensionOf(h.videoSuffix);
        if (suffix.empty()) suffix = ".bin";
        ok = writePart("video" + suffix, h.videoOffset, uint64_t(h.videoSize));
    }
    if (ok && h.hasSound()) {
        const char* ext = h.audioKind == kAudioWave  ? ".wav"
                          : h.audioKind == kAudioMp3 ? ".mp3"
                                                     : ".bin";
        ok = writePart(std::string("sound") + ext, h.audioOffset, uint64_t(h.audioSize));
    }
    if (!ok) return failure("writing into " + folder + " failed");
    out.ok = true;
    return out;
}

}  // namespace kz8::cardpack
