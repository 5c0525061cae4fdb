#include "movie/portable/quicktime_writer.h"

#include <algorithm>
#include <limits>

#include "common/portable/be_bytes.h"

namespace kz8::movie {

namespace {

constexpr uint64_t kLargestOffset = std::numeric_limits<uint32_t>::max();
constexpr uint32_t kFixedOne = 0x10000;
constexpr uint16_t kFullVolume = 0x100;
constexpr uint32_t kNormalQuality = 0x200;

// An atom whose size is patched in once its body is written.
class Atom {
public:
    Atom(BigEndianWriter& out, const char (&type)[5]) : out_(out), start_(out.position()) {
        out_.putU32(0);
        out_.putFourCc(type);
    }
    ~Atom() { out_.patchU32(start_, static_cast<uint32_t>(out_.position() - start_)); }
    Atom(const Atom&) = delete;
    Atom& operator=(const Atom&) = delete;

private:
    BigEndianWriter& out_;
    size_t start_;
};

void putZeros(BigEndianWriter& out, size_t count) {
    for (size_t i = 0; i < count; ++i) out.putU8(0);
}

void putVersionAndFlags(BigEndianWriter& out, uint32_t flags) { out.putU32(flags & 0xFFFFFF); }

void putIdentityMatrix(BigEndianWriter& out) {
    const uint32_t matrix[9] = {kFixedOne, 0, 0, 0, kFixedOne, 0, 0, 0, 0x40000000};
    for (uint32_t value : matrix) out.putU32(value);
}

void putHandler(BigEndianWriter& out, const char (&component)[5], const char (&subtype)[5]) {
    Atom hdlr(out, "hdlr");
    putVersionAndFlags(out, 0);
    out.putFourCc(component);
    out.putFourCc(subtype);
    putZeros(out, 12);  // manufacturer, flags, flags mask
    out.putU8(0);       // an empty name
}

void putTrackHeader(BigEndianWriter& out, uint32_t id, uint32_t duration, uint16_t volume,
                    uint32_t width, uint32_t height) {
    Atom tkhd(out, "tkhd");
    putVersionAndFlags(out, 0xF);  // enabled, in movie, in preview, in poster
    putZeros(out, 8);              // creation and modification times
    out.putU32(id);
    out.putU32(0);
    out.putU32(duration);
    putZeros(out, 8);
    out.putU16(0);  // layer
    out.putU16(0);  // alternate group
    out.putU16(volume);
    out.putU16(0);
    putIdentityMatrix(out);
    out.putU32(width << 16);
    out.putU32(height << 16);
}

void putMediaHeader(BigEndianWriter& out, uint32_t timeScale, uint32_t duration) {
    Atom mdhd(out, "mdhd");
    putVersionAndFlags(out, 0);
    putZeros(out, 8);
    out.putU32(timeScale);
    out.putU32(duration);
    out.putU16(0);  // language
    out.putU16(0);  // quality
}

// The media data is in this file: one alias reference with its
// self-reference flag.
void putDataInformation(BigEndianWriter& out) {
    putHandler(out, "dhlr", "alis");
    Atom dinf(out, "dinf");
    Atom dref(out, "dref");
    putVersionAndFlags(out, 0);
    out.putU32(1);
    Atom alis(out, "alis");
    putVersionAndFlags(out, 1);
}

void putOffsets(BigEndianWriter& out, const std::vector<uint32_t>& offsets) {
    Atom stco(out, "stco");
    putVersionAndFlags(out, 0);
    out.putU32(static_cast<uint32_t>(offsets.size()));
    for (uint32_t offset : offsets) out.putU32(offset);
}

// The sample description table with its one entry: the fields every
// entry starts with, then the format's own.
template <typename Fields>
void putSampleDescription(BigEndianWriter& out, const char (&format)[5], Fields&& fields) {
    Atom stsd(out, "stsd");
    putVersionAndFlags(out, 0);
    out.putU32(1);
    Atom entry(out, format);
    putZeros(out, 6);
    out.putU16(1);  // data reference
    out.putU16(0);  // version
    out.putU16(0);  // revision
    out.putU32(0);  // vendor
    fields();
}

void putJpegFields(BigEndianWriter& out) {
    out.putU32(0);  // temporal quality
    out.putU32(kNormalQuality);
    out.putU16(kMovieWidth);
    out.putU16(kMovieHeight);
    out.putU32(72 << 16);
    out.putU32(72 << 16);
    out.putU32(0);  // data size
    out.putU16(1);  // frames per sample
    const char name[] = "Photo - JPEG";
    out.putU8(sizeof name - 1);
    out.putBytes(name, sizeof name - 1);
    putZeros(out, 31 - (sizeof name - 1));
    out.putU16(24);      // depth
    out.putU16(0xFFFF);  // no colour table
}

void putRawSoundFields(BigEndianWriter& out) {
    out.putU16(1);  // channels
    out.putU16(8);  // bits a sample
    out.putU16(0);  // compression id
    out.putU16(0);  // packet size
    out.putU32(kSoundRate << 16);
}

uint32_t soundDurationIn600ths(uint32_t soundBytes) {
    return static_cast<uint32_t>((uint64_t(soundBytes) * kMovieTimeScale + kSoundRate - 1) /
                                 kSoundRate);
}

}  // namespace

bool QuickTimeWriter::begin() {
    std::vector<uint8_t> bytes;
    BigEndianWriter out(bytes);
    {
        Atom ftyp(out, "ftyp");
        out.putFourCc("qt  ");
        out.putU32(0x200);
        out.putFourCc("qt  ");
    }
    mediaStart_ = file_.size() + bytes.size();
    out.putU32(0);  // patched at the end
    out.putFourCc("mdat");
    return file_.append(bytes.data(), bytes.size());
}

bool QuickTimeWriter::appendMedia(const uint8_t* bytes, size_t size) {
    return file_.size() + size <= kLargestOffset && file_.append(bytes, size);
}

bool QuickTimeWriter::addFrame(const uint8_t* jpeg, size_t size, uint32_t duration) {
    const uint64_t offset = file_.size();
    if (size == 0 || duration == 0 || !appendMedia(jpeg, size)) return false;
    frameOffsets_.push_back(static_cast<uint32_t>(offset));
    frameSizes_.push_back(static_cast<uint32_t>(size));
    if (frameRuns_.empty() || frameRuns_.back().second != duration) {
        frameRuns_.emplace_back(0, duration);
    }
    ++frameRuns_.back().first;
    return true;
}

bool QuickTimeWriter::finish(const std::vector<uint8_t>& sound) {
    if (sound.size() > kLargestOffset) return false;
    for (size_t at = 0; at < sound.size(); at += kSoundChunkBytes) {
        const uint64_t offset = file_.size();
        const size_t piece = std::min(kSoundChunkBytes, sound.size() - at);
        if (!appendMedia(sound.data() + at, piece)) return false;
        soundOffsets_.push_back(static_cast<uint32_t>(offset));
    }
    uint8_t mediaSize[4];
    storeU32BE(mediaSize, static_cast<uint32_t>(file_.size() - mediaStart_));
    if (!file_.overwrite(mediaStart_, mediaSize, sizeof mediaSize)) return false;
    const std::vector<uint8_t> movie = movieAtom(static_cast<uint32_t>(sound.size()));
    return file_.append(movie.data(), movie.size());
}

uint32_t QuickTimeWriter::videoDuration() const {
    uint64_t total = 0;
    for (const auto& [count, duration] : frameRuns_) total += uint64_t(count) * duration;
    return static_cast<uint32_t>(std::min<uint64_t>(total, kLargestOffset));
}

std::vector<uint8_t> QuickTimeWriter::movieAtom(uint32_t soundBytes) const {
    std::vector<uint8_t> bytes;
    BigEndianWriter out(bytes);
    Atom moov(out, "moov");
    {
        Atom mvhd(out, "mvhd");
        putVersionAndFlags(out, 0);
        putZeros(out, 8);
        out.putU32(kMovieTimeScale);
        out.putU32(std::max(videoDuration(), soundDurationIn600ths(soundBytes)));
        out.putU32(kFixedOne);    // rate
        out.putU16(kFullVolume);  // volume
        putZeros(out, 10);
        putIdentityMatrix(out);
        putZeros(out, 24);  // preview, poster, selection and current times
        out.putU32(soundBytes > 0 ? 3 : 2);
    }
    writeVideoTrack(bytes);
    if (soundBytes > 0) writeSoundTrack(bytes, soundBytes);
    return bytes;
}

void QuickTimeWriter::writeVideoTrack(std::vector<uint8_t>& bytes) const {
    BigEndianWriter out(bytes);
    Atom trak(out, "trak");
    putTrackHeader(out, 1, videoDuration(), 0, kMovieWidth, kMovieHeight);
    Atom mdia(out, "mdia");
    putMediaHeader(out, kMovieTimeScale, videoDuration());
    putHandler(out, "mhlr", "vide");
    Atom minf(out, "minf");
    {
        Atom vmhd(out, "vmhd");
        putVersionAndFlags(out, 1);
        out.putU16(0x40);  // dither copy
        for (int channel = 0; channel < 3; ++channel) out.putU16(0x8000);
    }
    putDataInformation(out);
    Atom stbl(out, "stbl");
    putSampleDescription(out, "jpeg", [&] { putJpegFields(out); });
    {
        Atom stts(out, "stts");
        putVersionAndFlags(out, 0);
        out.putU32(static_cast<uint32_t>(frameRuns_.size()));
        for (const auto& [count, duration] : frameRuns_) {
            out.putU32(count);
            out.putU32(duration);
        }
    }
    {
        Atom stsc(out, "stsc");
        putVersionAndFlags(out, 0);
        out.putU32(1);
        for (uint32_t value : {1u, 1u, 1u}) out.putU32(value);
    }
    {
        Atom stsz(out, "stsz");
        putVersionAndFlags(out, 0);
        out.putU32(0);
        out.putU32(frames());
        for (uint32_t size : frameSizes_) out.putU32(size);
    }
    putOffsets(out, frameOffsets_);
}

void QuickTimeWriter::writeSoundTrack(std::vector<uint8_t>& bytes, uint32_t soundBytes) const {
    BigEndianWriter out(bytes);
    Atom trak(out, "trak");
    putTrackHeader(out, 2, soundDurationIn600ths(soundBytes), kFullVolume, 0, 0);
    Atom mdia(out, "mdia");
    putMediaHeader(out, kSoundRate, soundBytes);
    putHandler(out, "mhlr", "soun");
    Atom minf(out, "minf");
    {
        Atom smhd(out, "smhd");
        putVersionAndFlags(out, 0);
        out.putU16(0);  // balance
        out.putU16(0);
    }
    putDataInformation(out);
    Atom stbl(out, "stbl");
    putSampleDescription(out, "raw ", [&] { putRawSoundFields(out); });
    {
        Atom stts(out, "stts");
        putVersionAndFlags(out, 0);
        out.putU32(1);
        out.putU32(soundBytes);
        out.putU32(1);
    }
    {
        // Whole chunks of ten seconds, then the rest in the last one.
        const auto chunks = static_cast<uint32_t>(soundOffsets_.size());
        const auto rest = static_cast<uint32_t>(soundBytes - (chunks - 1) * kSoundChunkBytes);
        const bool lastDiffers = chunks > 1 && rest != kSoundChunkBytes;
        Atom stsc(out, "stsc");
        putVersionAndFlags(out, 0);
        out.putU32(lastDiffers ? 2 : 1);
        for (uint32_t value : {1u, chunks == 1 ? rest : uint32_t(kSoundChunkBytes), 1u}) {
            out.putU32(value);
        }
        if (lastDiffers) {
            for (uint32_t value : {chunks, rest, 1u}) out.putU32(value);
        }
    }
    {
        Atom stsz(out, "stsz");
        putVersionAndFlags(out, 0);
        out.putU32(1);
        out.putU32(soundBytes);
    }
    putOffsets(out, soundOffsets_);
}

}  // namespace kz8::movie
