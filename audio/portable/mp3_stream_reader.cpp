#include "audio/portable/mp3_stream_reader.h"

#include "audio/portable/engine_error.h"
#include "audio/portable/vbr_header.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace kz8::audio {

namespace {

constexpr uint32_t kId3Magic = 0x494433u;  // "ID3" in the top three bytes of a word
constexpr int kId3FlagBytes = 2;           // version revision, flags
constexpr int kId3SizeBytes = 4;
// The tag is 10 header bytes plus its size. The word read at size + 6 holds
// its last four bytes, so four shifts of the scan bring the first byte after
// the tag to the top of the word.
constexpr uint32_t kId3WordOffset = 6;
constexpr uint32_t kId3HeaderBytes = 10;
constexpr int kSynchsafeBits = 7;
constexpr uint8_t kSynchsafeMask = 0x7F;
constexpr int kWordBytes = 4;
constexpr int kBitsPerByte = 8;
// The fields that stay the same from frame to frame of one stream: version,
// layer and sampling rate.
constexpr uint32_t kStreamFieldsMask = 0x001E0C00u;

uint32_t bigEndianWord(const uint8_t* b) {
    return (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | b[3];
}

}  // namespace

Mp3StreamReader::Mp3StreamReader(PlaybackParams& params, FileOpener opener)
    : params_(params), opener_(opener) {}

std::unique_ptr<ByteSource> Mp3StreamReader::openSource() {
    if (params_.sourceKind == kSourceFile) {
        if (!params_.fileName || !opener_) return nullptr;
        return opener_(*params_.fileName);
    }
    OpenedStream opened = openStreamSource(params_.stream);
    if (opened.source) {
        params_.sourceUserValue = opened.userValue;
        params_.sourceFlag = opened.flag;
    }
    return std::move(opened.source);
}

void Mp3StreamReader::open() {
    close();
    source_ = openSource();
    if (!source_) throwEngineError(kErrorStream);
    taggedFrameCount_ = 0;
    rewind();
}

void Mp3StreamReader::close() { source_.reset(); }

bool Mp3StreamReader::sourcePosition(uint32_t& position) const {
    return source_ && source_->seek(0, SeekOrigin::Current, position);
}

void Mp3StreamReader::rewind() {
    if (source_) {
        uint32_t position = 0;
        // The second seek reads the position back, as the caller's stream
        // functions expect to be asked.
        source_->seek(0, SeekOrigin::Start, position);
        source_->seek(0, SeekOrigin::Current, position);
    }
    lastHeader_ = 0;
    firstHeader_ = 0;
    prevBodySize_ = 0;
    curBodySize_ = 0;
    header_.bodySize = 0;
    header_.sideInfoSize = 0;
    // The first frame then finds an empty previous body: nothing to take from
    // the reservoir.
    curBody_ = BodyPlace{};
    prevBody_ = BodyPlace{};
    nextBuffer_ = 0;
    bits_.reset(bufferAt(curBody_), 0, 0);
    params_.frameCounter = 0;
}

bool Mp3StreamReader::readWord(uint32_t& word) {
    uint8_t bytes[kWordBytes];
    uint32_t got = 0;
    if (!source_->read(bytes, kWordBytes, got) || got != kWordBytes) return false;
    word = bigEndianWord(bytes);
    return true;
}

uint32_t Mp3StreamReader::skipId3Tag() {
    uint8_t rest[kId3FlagBytes + kId3SizeBytes];
    uint32_t got = 0;
    if (!source_->read(rest, sizeof rest, got) || got != sizeof rest)
        throwEngineError(kErrorStream);
    uint32_t tagSize = 0;
    for (int i = 0; i < kId3SizeBytes; ++i)
        tagSize = (tagSize << kSynchsafeBits) | (rest[kId3FlagBytes + i] & kSynchsafeMask);

    uint32_t before = 0;
    uint32_t at = 0;
    if (!sourcePosition(before)) throwEngineError(kErrorStream);
    // Counted from the tag's own place rather than from the start of the file
    // (the same for a tag at the start), so that a tag met later in a file
    // can never send the reader back before itself and loop it forever.
    const uint64_t tagStart = before - kId3HeaderBytes;
    const uint64_t tagEnd = tagStart + tagSize + kId3WordOffset;
    if (tagEnd > uint64_t(std::numeric_limits<int32_t>::max()) ||
        !source_->seek(int32_t(tagEnd), SeekOrigin::Start, at)) {
        source_->seek(int32_t(before), SeekOrigin::Start, at);
        throwEngineError(kErrorStream);
    }
    uint32_t word = 0;
    if (!readWord(word)) throwEngineError(kErrorStream);
    return word;
}

Mp3StreamReader::ScanResult Mp3StreamReader::scanForHeader(uint32_t& word, uint32_t& shiftsLeft) {
    // Read ahead in chunks; what the scan does not use is given back by
    // seeking to just after the last byte it took.
    uint32_t chunkStart = 0;
    if (shiftsLeft > 0 && !sourcePosition(chunkStart)) throwEngineError(kErrorStream);
    const bool beforeFirstFrame = lastHeader_ == 0;
    while (shiftsLeft > 0) {
        uint32_t got = 0;
        if (!source_->read(scanChunk_.data(), std::min(kScanChunkBytes, shiftsLeft), got))
            throwEngineError(kErrorStream);
        if (got == 0) return ScanResult::End;
        for (uint32_t i = 0; i < got; ++i) {
            word = (word << kBitsPerByte) | scanChunk_[i];
            --shiftsLeft;
            const bool header = isValidHeaderWord(word);
            const bool tag = !header && beforeFirstFrame && (word >> kBitsPerByte) == kId3Magic;
            if (!header && !tag) continue;
            uint32_t at = 0;
            if (i + 1 < got && !source_->seek(int32_t(chunkStart + i + 1), SeekOrigin::Start, at))
                throwEngineError(kErrorStream);
            if (header) return ScanResult::Found;
            word = skipId3Tag();
            if (!sourcePosition(chunkStart)) throwEngineError(kErrorStream);
            got = 0;  // the rest of this chunk lay inside the tag
            break;
        }
        chunkStart += got;
    }
    // The position stays where the scan stopped; the next call goes on from there.
    return ScanResult::NotFound;
}

bool Mp3StreamReader::followedByItsNextFrame(uint32_t h) {
    FrameHeader candidate = header_;
    if (!decodeHeader(h, false, candidate)) {
        setEngineError(kErrorStream);
        return false;
    }
    uint32_t here = 0;
    uint32_t at = 0;
    if (!sourcePosition(here)) throwEngineError(kErrorStream);
    // A seek or a read that finds no more data is the end of the file, which
    // may follow a first frame as well as another frame may.
    uint32_t next = 0;
    const bool more =
        source_->seek(int32_t(here + uint32_t(candidate.bodySize)), SeekOrigin::Start, at) &&
        readWord(next);
    if (!source_->seek(int32_t(here), SeekOrigin::Start, at)) throwEngineError(kErrorStream);
    return !more || (isValidHeaderWord(next) && ((next ^ h) & kStreamFieldsMask) == 0);
}

int Mp3StreamReader::readFrame() {
    if (!source_) return kEndOfStream;
    uint32_t h = 0;
    if (!readWord(h)) return kEndOfStream;

    if (h == lastHeader_ && lastHeader_ != 0) {
        // The same header as before: its fields stand as they are.
        header_.headerChanged = 0;
        return readBody();
    }
    header_.headerChanged = 1;
    uint32_t shiftsLeft = kMaxScanShifts;
    bool scan = !isValidHeaderWord(h);
    if (scan && (h >> kBitsPerByte) == kId3Magic) h = skipId3Tag();
    for (;;) {
        if (scan) {
            const ScanResult found = scanForHeader(h, shiftsLeft);
            if (found == ScanResult::End) return kEndOfStream;
            if (found == ScanResult::NotFound) return kNoFrame;
        }
        // Headers read in sequence are trusted; one that had to be looked
        // for (the first, or after junk or a seek) only when its frame ends
        // where the next begins.
        if ((lastHeader_ != 0 && !scan) || followedByItsNextFrame(h)) break;
        scan = true;  // a false sync: look on from its second byte
    }
    const bool firstFrame = firstHeader_ == 0;
    if (firstFrame) firstHeader_ = h;
    const bool keepLayerAndRate = params_.resync != 0 && lastHeader_ != 0;
    const bool decoded = decodeHeader(h, keepLayerAndRate, header_);
    lastHeader_ = h;
    if (!decoded) {
        setEngineError(kErrorStream);
        return kNoFrame;
    }
    const int result = readBody();
    if (firstFrame && result == kFrameRead)
        taggedFrameCount_ = taggedFrameCount(header_, currentBody(), curBodySize_);
    return result;
}

int Mp3StreamReader::readBody() {
    prevBodySize_ = curBodySize_;
    prevBody_ = curBody_;
    curBody_ = BodyPlace{nextBuffer_, kReservoirSize};
    nextBuffer_ ^= 1;

    // decodeHeader never keeps a longer body; the clamp only keeps that
    // promise visible here, where the buffer is written.
    const int32_t size = std::clamp(header_.bodySize, int32_t(0), kMaxBodySize);
    uint8_t* body = bufferAt(curBody_);
    uint32_t got = 0;
    const bool ok = source_->read(body, uint32_t(size), got);
    if (ok && got == 0 && size > 0) return kEndOfStream;
    if (!ok) got = 0;
    // A short last frame is still a frame: its missing bytes read as silence.
    std::memset(body + got, 0, size_t(size) - got);
    curBodySize_ = size;
    bits_.reset(buffers_[curBody_.buffer].data(), size_t(kReservoirSize + size), kReservoirSize);
    return kFrameRead;
}

void Mp3StreamReader::setPointer(int32_t backstep) {
    // The bytes taken must lie inside both buffers: no further back than the
    // start of the current buffer, and no more than the previous buffer holds
    // before the end of its body.
    const int32_t mainData = kReservoirSize + header_.sideInfoSize;
    const int32_t prevEnd = prevBody_.offset + prevBodySize_;
    backstep = std::clamp(backstep, int32_t(0), std::min(mainData, prevEnd));
    uint8_t* current = buffers_[curBody_.buffer].data();
    const int32_t target = mainData - backstep;
    if (backstep > 0)
        std::memmove(current + target, buffers_[prevBody_.buffer].data() + (prevEnd - backstep),
                     size_t(backstep));
    bits_.reset(current, size_t(kReservoirSize + curBodySize_), size_t(target));
}

}  // namespace kz8::audio
