// Extracting packed cards the way the player does at start-up: real files,
// a private temporary folder per test, and the pictures compared with what
// decoding the packed JPEG files directly gives.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "common/testing/portable/test_files.h"
#include "common/win32/handles.h"
#include "player/portable/card_writer.h"
#include "player/win32/card_extraction.h"
#include "player/win32/jpeg_loader.h"

namespace kz8::player {
namespace {

using testkit::readFile;
using Bytes = std::vector<uint8_t>;

Bytes fixture(const char* name) {
    return readFile(testkit::fixturePath(std::string("card/") + name)).value();
}

struct MessageRecord {
    int count = 0;
    HWND owner = reinterpret_cast<HWND>(1);
    std::string text, caption;
    UINT type = 0;
} gMessages;

int WINAPI recordMessage(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    gMessages = MessageRecord{gMessages.count + 1, owner, text, caption, type};
    return IDOK;
}
UINT WINAPI oneWaveDevice() { return 1; }
UINT WINAPI noWaveDevice() { return 0; }

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    FindHandle find(FindFirstFileA((folder + "*").c_str(), &found));
    if (!find) return names;
    do {
        if (std::strcmp(found.cFileName, ".") && std::strcmp(found.cFileName, ".."))
            names.push_back(found.cFileName);
    } while (FindNextFileA(find.get(), &found));
    return names;
}

struct CardContents {
    Bytes front = fixture("card-rgb.jpg"), back = fixture("card-back.jpg");
    Bytes video = fixture("clip.avi"), sound = fixture("sound.mp3");
    CardParts parts;
    std::function<void(CardPlan&)> tweak;
    CardContents() {
        parts.videoSuffix = ".avi";
        parts.audioKind = kAudioMp3;
        parts.videoLeft = 10, parts.videoTop = 20, parts.videoWidth = 160, parts.videoHeight = 120;
    }
    Bytes build() {
        Bytes player = fixture("player.bin");
        parts.playerSize = player.size();
        parts.frontSize = front.size(), parts.backSize = back.size();
        parts.videoSize = video.size(), parts.soundSize = sound.size();
        CardPlan plan = *planCard(parts);
        if (tweak) tweak(plan);
        return buildCardBytes(plan, player, front, back, video, sound);
    }
};

// Each test gets an empty temporary folder of its own (TMP), with a blank in
// its name so that the short-form rule is exercised every time.
class Extraction : public ::testing::Test {
protected:
    void SetUp() override {
        // The system's folder as it was before any test pointed TMP elsewhere.
        static const std::string base = [] {
            char path[MAX_PATH] = "";
            GetTempPathA(MAX_PATH, path);
            return std::string(path);
        }();
        static int serial = 0;
        root_ = base + "card test " + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++serial) + "\\";
        temp_ = root_ + "tmp dir\\";
        CreateDirectoryA(root_.c_str(), nullptr);
        CreateDirectoryA(temp_.c_str(), nullptr);
        SetEnvironmentVariableA("TMP", temp_.c_str());
        SetEnvironmentVariableA("TEMP", temp_.c_str());
        setPlayerMessageBox(recordMessage);
        setWaveDeviceCounter(oneWaveDevice);
        gMessages = MessageRecord{};
        state_ = PlayerState{};
    }
    void TearDown() override {
        releasePlayerMedia(state_);
        for (const auto& name : filesIn(temp_)) DeleteFileA((temp_ + name).c_str());
        for (const auto& name : filesIn(root_)) DeleteFileA((root_ + name).c_str());
        RemoveDirectoryA(temp_.c_str());
        RemoveDirectoryA(root_.c_str());
        setPlayerMessageBox(nullptr);
        setWaveDeviceCounter(nullptr);
    }
    std::string writeCard(const Bytes& bytes, const char* name = "card.exe") {
        std::string path = root_ + name;
        KernelHandle file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(file.get(), bytes.data(), DWORD(bytes.size()), &written, nullptr);
        return path;
    }
    static Bytes globalBytes(HGLOBAL block) {
        GlobalLockGuard lock(block);
        return lock ? Bytes(lock.bytes(), lock.bytes() + lock.size()) : Bytes();
    }
    static Bytes decodedDirectly(const Bytes& jpeg, const std::string& scratch) {
        KernelHandle file(
            CreateFileA(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(file.get(), jpeg.data(), DWORD(jpeg.size()), &written, nullptr);
        file.reset();
        GlobalMemory picture(LoadJpegAsDib(scratch.c_str()));
        DeleteFileA(scratch.c_str());
        return globalBytes(picture.get());
    }
    std::string root_, temp_;
    PlayerState state_{};
};

TEST_F(Extraction, UnpacksClipSoundAndBothPicturesIntoTheTemporaryFolder) {
    CardContents card;
    ASSERT_TRUE(extractCardPackageFrom(writeCard(card.build()), state_));
    EXPECT_EQ(gMessages.count, 0);
    EXPECT_TRUE(state_.hasVideo);
    EXPECT_TRUE(state_.hasAudio);
    EXPECT_EQ(state_.audioKind, kAudioMp3);
    EXPECT_EQ(state_.videoRect.left, 10);
    EXPECT_EQ(state_.videoRect.bottom, 140);
    EXPECT_EQ(readFile(state_.videoPath), card.video);
    EXPECT_EQ(readFile(state_.audioPath), card.sound);
    for (const char* path : {state_.videoPath, state_.audioPath}) {
        std::string p(path);
        EXPECT_EQ(p.find(' '), std::string::npos) << p << ": media paths hold no blank";
        EXPECT_EQ(p.rfind('\\'), p.size() - std::strlen(std::strrchr(path, '\\'))) << p;
    }
    EXPECT_EQ(std::string(state_.videoPath).substr(std::strlen(state_.videoPath) - 4), ".avi");
    EXPECT_EQ(filesIn(temp_).size(), 2u) << "the picture files are gone after decoding";
    EXPECT_EQ(globalBytes(state_.frontPicture.get()), decodedDirectly(card.front, root_ + "f.jpg"));
    EXPECT_EQ(globalBytes(state_.backPicture.get()), decodedDirectly(card.back, root_ + "b.jpg"));
    releasePlayerMedia(state_);
    EXPECT_TRUE(filesIn(temp_).empty()) << "media files are deleted at the end";
}

TEST_F(Extraction, OptionalPartsFollowTheirSizesKindsAndSuffixes) {
    struct Case {
        const char* name;
        std::function<void(CardContents&)> change;
        bool video, audio;
        const char* audioEnding;  // nullptr: no sound file
        size_t filesLeft;
    } cases[] = {
        {"neither clip nor sound", [](CardContents& s) { s.video.clear(), s.sound.clear(); }, false,
         false, nullptr, 0},
        {"negative sizes",
         [](CardContents& s) {
             s.tweak = [](CardPlan& p) {
                 p.block.header.videoSize = -5, p.block.header.audioSize = -1;
             };
         },
         false, false, nullptr, 0},
        {"sound of kind 2", [](CardContents& s) { s.parts.audioKind = 2; }, true, true, "_", 2},
        {"WAVE sound", [](CardContents& s) { s.parts.audioKind = kAudioWave; }, true, true, ".wav",
         2},
        {"suffix with a path", [](CardContents& s) { s.parts.videoSuffix = "\\..\\..\\x.av"; },
         true, true, ".mp3", 2},
        {"suffix of the authoring tool", [](CardContents& s) { s.parts.videoSuffix = "_1.avi"; },
         true, true, ".mp3", 2},
        {"drive in suffix", [](CardContents& s) { s.parts.videoSuffix = "C:x.av"; }, true, true,
         ".mp3", 2},
        {"suffix without extension", [](CardContents& s) { s.parts.videoSuffix = "_clip"; }, false,
         true, ".mp3", 1},
    };
    for (Case& c : cases) {
        CardContents card;
        c.change(card);
        ASSERT_TRUE(extractCardPackageFrom(writeCard(card.build()), state_)) << c.name;
        EXPECT_EQ(bool(state_.hasVideo), c.video) << c.name;
        EXPECT_EQ(bool(state_.hasAudio), c.audio) << c.name;
        EXPECT_EQ(state_.videoPath[0] != 0, c.video) << c.name;
        std::string audio = state_.audioPath;
        if (c.audioEnding && std::string(c.audioEnding) == "_")
            EXPECT_EQ(audio.substr(audio.rfind('\\')).find('.'), std::string::npos)
                << c.name << ": a sound of unknown kind has no extension";
        else if (c.audioEnding)
            EXPECT_EQ(audio.substr(audio.size() - 4), c.audioEnding) << c.name;
        else
            EXPECT_TRUE(audio.empty()) << c.name;
        EXPECT_EQ(filesIn(temp_).size(), c.filesLeft) << c.name;
        // Only our own media names, only in the temporary folder.
        for (const std::string& name : filesIn(temp_))
            EXPECT_EQ(name.rfind("kz8_", 0), 0u) << c.name << ": " << name;
        EXPECT_EQ(filesIn(root_), (std::vector<std::string>{"card.exe", "tmp dir"}))
            << c.name << ": nothing is written outside the temporary folder";
        releasePlayerMedia(state_);
    }
}

TEST_F(Extraction, NoWaveDeviceMeansASilentCard) {
    setWaveDeviceCounter(noWaveDevice);
    CardContents card;
    ASSERT_TRUE(extractCardPackageFrom(writeCard(card.build()), state_));
    EXPECT_FALSE(state_.hasAudio);
    EXPECT_EQ(state_.audioPath[0], 0) << "the sound track is not extracted";
}

TEST_F(Extraction, PartsDeclaredLongerThanTheFileComeOutShorter) {
    CardContents card;
    uint32_t soundOffset = 0;
    card.tweak = [&](CardPlan& p) {
        p.block.header.audioSize = 0x7FFFFFFF;
        soundOffset = p.block.header.audioOffset;
    };
    Bytes bytes = card.build();
    ASSERT_TRUE(extractCardPackageFrom(writeCard(bytes), state_));
    auto sound = readFile(state_.audioPath);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->size(), bytes.size() - soundOffset) << "the copy ends at the end of the file";
}

TEST_F(Extraction, TwoCardsInTheSameSecondKeepTheirOwnFiles) {
    CardContents first, second;
    second.video = fixture("sound.wav");  // different bytes under the same suffix
    std::string a = writeCard(first.build(), "a.exe"), b = writeCard(second.build(), "b.exe");
    PlayerState other{};
    ASSERT_TRUE(extractCardPackageFrom(a, state_));
    ASSERT_TRUE(extractCardPackageFrom(b, other));
    EXPECT_STRNE(state_.videoPath, other.videoPath);
    EXPECT_STRNE(state_.audioPath, other.audioPath);
    EXPECT_EQ(readFile(state_.videoPath), first.video) << "the first card's clip was overwritten";
    EXPECT_EQ(readFile(other.videoPath), second.video);
    releasePlayerMedia(other);
}

TEST_F(Extraction, BadPackagesShowTheInvalidFileMessageAndLeaveNothing) {
    CardContents card;
    Bytes good = card.build();
    Bytes trailing = good;
    trailing.push_back(0);
    Bytes version = good;
    version[version.size() - 9] = '0';  // "2.00"
    struct Case {
        const char* name;
        Bytes bytes;
    } cases[] = {{"player without package", fixture("player.bin")},
                 {"bytes after the trailer", trailing},
                 {"version 2.00", version},
                 {"empty file", {}}};
    for (const Case& c : cases) {
        gMessages = MessageRecord{};
        EXPECT_FALSE(extractCardPackageFrom(writeCard(c.bytes), state_)) << c.name;
        EXPECT_EQ(gMessages.count, 1) << c.name;
        EXPECT_EQ(gMessages.text, "The file is invalid.") << c.name;
        EXPECT_EQ(gMessages.caption, "Error") << c.name;
        EXPECT_EQ(gMessages.type, UINT(MB_ICONERROR)) << c.name;
        EXPECT_EQ(gMessages.owner, nullptr) << c.name;
        EXPECT_TRUE(filesIn(temp_).empty()) << c.name;
    }
    gMessages = MessageRecord{};
    EXPECT_FALSE(extractCardPackageFrom(root_ + "missing.exe", state_));
    EXPECT_EQ(gMessages.count, 1) << "an unreadable card is reported the same way";
}

TEST_F(Extraction, UndecodablePicturesFailSilentlyAndCleanUp) {
    for (bool frontBroken : {true, false}) {
        CardContents card;
        (frontBroken ? card.front : card.back) = fixture("truncated.jpg");
        EXPECT_FALSE(extractCardPackageFrom(writeCard(card.build()), state_)) << frontBroken;
        EXPECT_EQ(gMessages.count, 0) << frontBroken;
        EXPECT_TRUE(filesIn(temp_).empty()) << "front broken: " << frontBroken;
        EXPECT_FALSE(state_.frontPicture) << frontBroken;
        EXPECT_EQ(state_.videoPath[0], 0) << frontBroken;
    }
}

TEST_F(Extraction, CopyPackageRangeStartsAtTheCurrentPositionAndStopsAtTheEnd) {
    Bytes data = fixture("clip.avi");
    std::string source = writeCard(data, "source.bin"), target = root_ + "target.bin";
    KernelHandle in(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    KernelHandle out(
        CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    SetFilePointer(in.get(), 100, nullptr, FILE_BEGIN);
    EXPECT_TRUE(CopyPackageRange(out.get(), in.get(), 1u << 30));
    out.reset();
    EXPECT_EQ(readFile(target), Bytes(data.begin() + 100, data.end()));
}

}  // namespace
}  // namespace kz8::player
