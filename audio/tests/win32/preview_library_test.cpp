// KZ8Audio.dll as a host uses it: loaded with LoadLibraryA, its functions
// found by their MSVC-decorated names, played through the captured device.
#include <windows.h>

#include <gtest/gtest.h>

#include "audio/tests/win32/player_test_support.h"
#include "common/testing/portable/test_files.h"
#include "common/testing/win32/wine_run.h"
#include "common/win32/handles.h"

namespace {

using kz8::testkit::fixturePath;
using namespace kz8::audio::testkit;

using VoidFn = void (*)();
using IntFn = int (*)();
using OpenFn = int (*)(HWND, char*);

constexpr int kIdle = 0, kPrepared = 2, kEnded = 3, kPlaying = 4, kPaused = 5;
constexpr double kMsPerFrame44k = 1152000.0 / 44100;
// Bytes per frame by which the engine estimates the frame count of a
// 128 kbit/s 44.1 kHz stream: 417 plus one.
constexpr uint32_t kEstimatedFrameBytes128k = 418;

struct Preview {
    HMODULE module = nullptr;
    VoidFn init = nullptr, play = nullptr, pause = nullptr, stop = nullptr;
    OpenFn open = nullptr;
    IntFn totalTime = nullptr, status = nullptr;

    bool load() {
        module = LoadLibraryA(kz8::testkit::windowsPathOf(KZ8AUDIO_DLL).c_str());
        if (!module) return false;
        init = find<VoidFn>("?OnInitMp3@@YAXXZ");
        open = find<OpenFn>("?OnOpenMp3@@YAHPEAUHWND__@@PEAD@Z");
        play = find<VoidFn>("?OnPlayMp3@@YAXXZ");
        pause = find<VoidFn>("?OnPauseMp3@@YAXXZ");
        stop = find<VoidFn>("?OnStopMp3@@YAXXZ");
        totalTime = find<IntFn>("?OnGetTotalTime@@YAHXZ");
        status = find<IntFn>("?OnGetCurStatus@@YAHXZ");
        return init && open && play && pause && stop && totalTime && status;
    }
    void unload() {
        if (module) FreeLibrary(module);
        module = nullptr;
    }
    template <typename F>
    F find(const char* name) {
        return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    int openFixture(const std::string& name) {
        std::string path = fixturePath(name);
        return open(nullptr, path.data());
    }
};

class PreviewLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dll.load()) << "KZ8Audio.dll or one of its decorated names";
    }
    void TearDown() override { dll.unload(); }
    bool endedPlaying() {
        return waitUntil([&] { return dll.status() == kEnded; });
    }
    Preview dll;
};

TEST_F(PreviewLibrary, OpenPlayToTheEndAndAgain) {
    EXPECT_EQ(dll.status(), kIdle) << "before any open";
    const std::vector<uint8_t> reference = referencePcm("player/sweep-44k.mp3.raw");
    ASSERT_EQ(dll.openFixture("player/sweep-44k.mp3"), 1);
    EXPECT_EQ(dll.status(), kPrepared);
    dll.pause();
    EXPECT_EQ(dll.status(), kPrepared) << "a pause before play changes nothing";
    dll.play();
    EXPECT_TRUE(dll.status() == kPlaying || dll.status() == kEnded);
    ASSERT_TRUE(endedPlaying());
    EXPECT_TRUE(playedExactly(lastPlayback(), reference));
    // 96548 bytes / 418 = 230 frames of 26.12 ms: 6008 ms.
    EXPECT_EQ(dll.totalTime(), 6);

    dll.play();
    EXPECT_EQ(dll.status(), kEnded) << "play after the end needs a new open";
    ASSERT_EQ(dll.openFixture("player/sweep-44k.mp3"), 1);
    dll.play();
    ASSERT_TRUE(endedPlaying());
    EXPECT_TRUE(playedExactly(lastPlayback(), reference)) << "second time from the start";
    dll.stop();
    EXPECT_EQ(dll.status(), kIdle);
}

TEST_F(PreviewLibrary, MissingFileGivesZeroAndStaysIdle) {
    char missing[] = "Z:\\no\\such\\file.mp3";
    EXPECT_EQ(dll.open(nullptr, missing), 0);
    EXPECT_EQ(dll.status(), kIdle);
    for (const char* frameless : {"player/junk.mp3", "player/tag-only.mp3"}) {
        EXPECT_EQ(dll.openFixture(frameless), 0) << frameless << ": a file without any frame";
        EXPECT_EQ(dll.status(), kIdle) << frameless;
    }
    ASSERT_EQ(dll.openFixture("player/short-44k.mp3"), 1);
    EXPECT_EQ(dll.open(nullptr, missing), 0) << "the earlier file is closed first";
    EXPECT_EQ(dll.status(), kIdle);
}

TEST_F(PreviewLibrary, PauseResumeAndOpeningWhilePlayingStopsFirst) {
    ASSERT_EQ(dll.openFixture("player/sweep-44k.mp3"), 1);
    dll.play();
    dll.pause();
    EXPECT_EQ(dll.status(), kPaused);
    dll.play();
    EXPECT_EQ(dll.status(), kPlaying);
    ASSERT_EQ(dll.openFixture("player/short-44k.mp3"), 1);
    EXPECT_EQ(dll.status(), kPrepared);
    size_t afterOpen = capturedSize();
    Sleep(200);
    EXPECT_EQ(capturedSize(), afterOpen) << "the first file played on";
    dll.init();
    EXPECT_EQ(dll.status(), kIdle) << "OnInitMp3 stops and closes";
}

TEST_F(PreviewLibrary, LargeTagCountsInTheTotalTime) {
    const std::string path = fixturePath("player/tagged-44k.mp3");
    auto bytes = kz8::testkit::readFile(path);
    ASSERT_TRUE(bytes);
    ASSERT_EQ(dll.openFixture("player/tagged-44k.mp3"), 1);
    const uint32_t frames = uint32_t(bytes->size()) / kEstimatedFrameBytes128k;
    const int ms = int(kMsPerFrame44k * frames);
    EXPECT_EQ(dll.totalTime(), ms / 1000) << "from the whole file size, tag included";
    EXPECT_GT(dll.totalTime(), 10) << "the clip behind the tag is 0.4 s";
}

TEST_F(PreviewLibrary, UnloadWhilePlayingStopsAndClosesEverything) {
    // A copy of our own: other tests running beside this one read the fixture,
    // and the check below needs the only handle to the file.
    const std::string path =
        kz8::testkit::environmentText("KZ8_RUN_DIR_WIN") + "\\unload-sweep.mp3";
    ASSERT_TRUE(CopyFileA(fixturePath("player/sweep-44k.mp3").c_str(), path.c_str(), FALSE));
    // Once, so that what the audio driver keeps for the process is loaded.
    ASSERT_EQ(dll.openFixture("player/short-44k.mp3"), 1);
    dll.play();
    dll.stop();
    dll.unload();

    DWORD before = 0, after = 0;
    GetProcessHandleCount(GetCurrentProcess(), &before);
    for (bool paused : {false, true}) {
        ASSERT_TRUE(dll.load());
        std::string copy = path;
        ASSERT_EQ(dll.open(nullptr, copy.data()), 1);
        dll.play();
        if (paused) dll.pause();
        Sleep(50);
        dll.unload();
        HANDLE alone = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(alone, INVALID_HANDLE_VALUE)
            << "the MP3 file is still open (paused " << paused << ")";
        if (alone != INVALID_HANDLE_VALUE) CloseHandle(alone);
    }
    Sleep(100);  // the ended threads' handles go with the threads
    GetProcessHandleCount(GetCurrentProcess(), &after);
    EXPECT_EQ(after, before) << "handles left behind by unloading";
}

TEST(PreviewLibraryExit, ProcessEndingWhilePlayingExitsCleanly) {
    std::string command = "\"" + kz8::testkit::windowsPathOf(PREVIEW_EXIT_HOST) + "\" \"" +
                          kz8::testkit::windowsPathOf(KZ8AUDIO_DLL) + "\" \"" +
                          fixturePath("player/sweep-44k.mp3") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    kz8::KernelHandle processHandle(process.hProcess), threadHandle(process.hThread);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0)
        << "the process hangs in its end while playing";
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u) << "2: the host could not start playing";
}

}  // namespace
