// Opening and closing sources, and what a failing caller stream does to the
// reader: every failure is the engine's integer exception with the stream
// error, and nothing stays open once the owner closes the reader.
#include "audio/tests/mp3_test_streams.h"

#include "audio/portable/engine_error.h"

#include <gtest/gtest.h>

#include <functional>

namespace kz8::audio {
namespace {

using namespace testkit;

int thrownCode(const std::function<void()>& action) {
    try {
        action();
    } catch (int code) {
        return code;
    }
    return 0;
}

// More junk than the scan reads at once.
constexpr size_t kJunkBytes = 3 * kScanChunkBytes;

Bytes junkThenFrame() {
    Bytes data(kJunkBytes, 0x00);
    appendFrame(data, cbr128Header(), kCbr128FrameLength, 1);
    return data;
}

TEST(StreamSourceTest, OpenHandsOverUserValueAndFlag) {
    StreamReaderRig rig(junkThenFrame());
    rig.reader.open();
    EXPECT_TRUE(rig.reader.isOpen());
    EXPECT_EQ(rig.params.sourceUserValue, rig.stream.userValue);
    EXPECT_EQ(rig.params.sourceFlag, rig.stream.flag);
    EXPECT_EQ(rig.reader.fileSize(), kJunkBytes + kCbr128FrameLength);
    rig.reader.close();
    rig.reader.close();
    EXPECT_EQ(rig.stream.closes, 1) << "close must reach the stream exactly once";
}

TEST(StreamSourceTest, FailuresThrowTheStreamErrorAndLeaveNothingOpen) {
    struct Case {
        const char* name;
        void (*arrange)(MemoryStream&);
        bool failsInOpen;
    } cases[] = {
        {"open fails", [](MemoryStream& s) { s.failOpen = true; }, true},
        {"size fails", [](MemoryStream& s) { s.failSize = true; }, true},
        // The first read (the header word) succeeds on junk; the scan's fails.
        {"read fails in the scan", [](MemoryStream& s) { s.readsBeforeFailure = 1; }, false},
        {"read fails in the scan later", [](MemoryStream& s) { s.readsBeforeFailure = 2; }, false},
    };
    for (const Case& c : cases) {
        StreamReaderRig rig(junkThenFrame());
        c.arrange(rig.stream);
        takeEngineError();
        const int code = thrownCode([&] {
            rig.reader.open();
            rig.reader.readFrame();
        });
        EXPECT_EQ(code, kErrorStream) << c.name;
        EXPECT_EQ(engineError(), kErrorStream) << c.name;
        EXPECT_EQ(rig.reader.isOpen(), !c.failsInOpen) << c.name;
        rig.reader.close();
        EXPECT_FALSE(rig.stream.isOpen()) << c.name << ": stream left open";
    }
}

TEST(StreamSourceTest, FailingTagSkipThrows) {
    Bytes data = id3Tag(64);
    appendFrame(data, cbr128Header(), kCbr128FrameLength, 1);
    struct Case {
        const char* name;
        void (*arrange)(MemoryStream&);
    } cases[] = {
        {"seek fails", [](MemoryStream& s) { s.failSeek = true; }},
        {"tag header read fails", [](MemoryStream& s) { s.readsBeforeFailure = 1; }},
        {"word after the seek fails", [](MemoryStream& s) { s.readsBeforeFailure = 2; }},
    };
    for (const Case& c : cases) {
        StreamReaderRig rig(data);
        rig.reader.open();
        c.arrange(rig.stream);
        EXPECT_EQ(thrownCode([&] { rig.reader.readFrame(); }), kErrorStream) << c.name;
    }
    // Cut short inside the tag header: the same.
    StreamReaderRig cut(Bytes(data.begin(), data.begin() + 7));
    cut.reader.open();
    EXPECT_EQ(thrownCode([&] { cut.reader.readFrame(); }), kErrorStream) << "tag cut short";
}

TEST(StreamSourceTest, FailedFirstReadIsTheEndOfTheStream) {
    StreamReaderRig rig(junkThenFrame());
    rig.reader.open();
    rig.stream.readsBeforeFailure = 0;
    EXPECT_EQ(rig.reader.readFrame(), kEndOfStream);
}

TEST(StreamSourceTest, DestroyingTheReaderClosesTheStream) {
    MemoryStream stream;
    stream.data = junkThenFrame();
    {
        PlaybackParams params;
        params.sourceKind = kSourceStream;
        params.stream = stream.functions();
        Mp3StreamReader reader(params);
        reader.open();
        EXPECT_TRUE(stream.isOpen());
    }
    EXPECT_FALSE(stream.isOpen());
}

TEST(StreamSourceTest, FileSourceNeedsAnOpenableName) {
    struct Case {
        const char* name;
        std::optional<std::string> fileName;
    } cases[] = {{"no name", std::nullopt}, {"missing file", std::string("no-such-dir/none.mp3")}};
    for (const Case& c : cases) {
        PlaybackParams params;
        params.fileName = c.fileName;
        Mp3StreamReader reader(params);
        EXPECT_EQ(thrownCode([&] { reader.open(); }), kErrorStream) << c.name;
        EXPECT_FALSE(reader.isOpen()) << c.name;
    }
}

}  // namespace
}  // namespace kz8::audio
