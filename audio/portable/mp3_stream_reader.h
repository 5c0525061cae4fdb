// The audio engine's input side: opens the source, finds and decodes frame
// headers, reads each frame body into one of two alternating frame buffers,
// offers the bit reader of the layer decoders, and computes total time,
// current time and seek positions.
//
// The engine has one reader, owned by its one player; it is used by one thread
// at a time and has no locks. Failures inside set the engine error code and
// throw it as an integer (engine_error.h), except where a result says more.
#pragma once

#include "audio/portable/bit_reader.h"
#include "audio/portable/byte_source.h"
#include "audio/portable/frame_header.h"
#include "audio/portable/playback_params.h"
#include "audio/portable/stdio_file_source.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

namespace kz8::audio {

enum ReadResult : int {
    kFrameRead = 1,     // a header is decoded and its body is in the current buffer
    kNoFrame = 0,       // nothing usable found in this call; calling again continues
    kEndOfStream = -2,  // a read brought no bytes or failed
};

// Room before each body for bit-reservoir bytes of earlier frames.
constexpr int32_t kReservoirSize = 512;
constexpr int32_t kFrameBufferSize = kReservoirSize + kMaxBodySize + 3;  // even-sized
// How many bytes the header scan looks at before it gives up for one call.
constexpr uint32_t kMaxScanShifts = 0x20000;
// The scan reads ahead this many bytes at a time rather than byte by byte.
constexpr uint32_t kScanChunkBytes = 4096;

class Mp3StreamReader {
public:
    // Files by name are opened through opener: the C library by default, the
    // platform's own file calls where the caller has them.
    explicit Mp3StreamReader(PlaybackParams& params, FileOpener opener = &openStdioFile);
    Mp3StreamReader(const Mp3StreamReader&) = delete;
    Mp3StreamReader& operator=(const Mp3StreamReader&) = delete;

    // Opens the file named in the params (source kind 0) or the caller's
    // stream (kind 1), then rewinds. Throws kErrorStream when it cannot.
    void open();
    bool isOpen() const { return source_ != nullptr; }
    // Closes the source if open. Safe after any failure, and repeatable.
    void close();

    // One frame: a ReadResult. Sets kErrorStream on a header it cannot decode;
    // throws kErrorStream on a failed read in the scan or a failed tag skip.
    // A header that had to be scanned for (the first after an open or a
    // rewind, or one after junk or a seek) counts only when the next frame
    // (or the end of the data) follows it where its length says, with the
    // same version, layer and rate: a false sync in junk, in a picture of a
    // tag or inside a frame must not set the rate or cost the frames after.
    int readFrame();
    // Back to the first frame: position 0, header memory and buffers cleared,
    // frame counter 0.
    void rewind();

    // The bit reader over the current frame, set to the start of its body.
    BitReader& bits() { return bits_; }
    uint32_t getBits(int count) { return bits_.getBits(count); }
    uint32_t getBitsFast(int count) { return bits_.getBitsFast(count); }
    uint32_t get1Bit() { return bits_.get1Bit(); }
    // Moves the bit reader to backstep bytes before the current frame's main
    // data (after its side information), first copying the last backstep bytes
    // of the previous body there, so that main data continues across frames.
    void setPointer(int32_t backstep);

    // The frame count of the stream's Xing, Info or VBRI header where its
    // first frame has one, else file size / frame length.
    uint32_t estimatedFrameCount() const;
    double timePerFrame() const;  // milliseconds
    double totalTime() const;     // milliseconds
    int32_t currentTime() const;  // whole milliseconds, from the frame counter
    // Moves to the frame that plays at ms and reads it; false when that frame
    // is past the estimated end or the source cannot seek there (the position
    // is then where it was), and when stop is set while it looks for the frame.
    bool seekToTime(uint32_t ms, const std::atomic<bool>* stop = nullptr);

    FrameHeader& header() { return header_; }
    const FrameHeader& header() const { return header_; }
    uint32_t lastHeader() const { return lastHeader_; }
    uint32_t firstHeader() const { return firstHeader_; }
    uint32_t fileSize() const { return source_ ? source_->size() : 0; }
    const uint8_t* currentBody() const { return bufferAt(curBody_); }
    int32_t currentBodySize() const { return curBodySize_; }
    // Where the source stands, for callers that check positions.
    bool sourcePosition(uint32_t& position) const;

private:
    struct BodyPlace {
        int buffer = 0;
        int32_t offset = 0;
    };
    enum class ScanResult { Found, NotFound, End };

    const uint8_t* bufferAt(BodyPlace place) const {
        return buffers_[place.buffer].data() + place.offset;
    }
    uint8_t* bufferAt(BodyPlace place) { return buffers_[place.buffer].data() + place.offset; }

    std::unique_ptr<ByteSource> openSource();
    bool readWord(uint32_t& word);
    uint32_t skipId3Tag();
    // Shifts bytes into word until it is a header, spending shiftsLeft. Before
    // the first frame every ID3v2 tag met is skipped whole.
    ScanResult scanForHeader(uint32_t& word, uint32_t& shiftsLeft);
    // Whether the frame of h, just read, is followed by a header of the same
    // version, layer and rate, or by the end of the data.
    bool followedByItsNextFrame(uint32_t h);
    int readBody();

    PlaybackParams& params_;
    FileOpener opener_;
    std::unique_ptr<ByteSource> source_;

    FrameHeader header_;
    uint32_t lastHeader_ = 0;
    uint32_t firstHeader_ = 0;
    uint32_t taggedFrameCount_ = 0;  // from the first frame; kept across rewinds

    std::array<std::array<uint8_t, kFrameBufferSize>, 2> buffers_{};
    BodyPlace curBody_;
    BodyPlace prevBody_;
    int32_t curBodySize_ = 0;  // the body now in curBody_: the next frame's prevBodySize
    int32_t prevBodySize_ = 0;
    int nextBuffer_ = 0;
    BitReader bits_;
    std::array<uint8_t, kScanChunkBytes> scanChunk_{};
};

}  // namespace kz8::audio
