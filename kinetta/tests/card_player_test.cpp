// Kinetta end to end: cards made from the built player run as their
// recipients run them, in their own process and window under Wine, driven
// by real pointer input and checked on the screen, in the captured sound
// and in their temporary folder.
#include <gtest/gtest.h>

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/wine_run.h"
#include "common/win32/dib_drawing.h"
#include "common/win32/registry_key.h"
#include "kinetta/tests/card_process.h"
#include "kinetta/tests/screen_probe.h"
#include "player/portable/button_layout.h"
#include "player/win32/button_bar.h"
#include "player/win32/card_window_rect.h"
#include "player/win32/player_resources.h"

namespace kz8::player {
namespace {

using testkit::CardMedia;
using testkit::CardProcess;
using testkit::PpmImage;

double nowMs() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

// Polls `done` until it holds; the time it took in ms, or -1 after the wait.
double waitUntil(const std::function<bool()>& done, double timeoutMs, double pollMs = 20) {
    const double start = nowMs();
    while (nowMs() - start < timeoutMs) {
        if (done()) return nowMs() - start;
        Sleep(DWORD(pollMs));
    }
    return -1;
}

class CardPlayer : public ::testing::Test {
protected:
    void SetUp() override {
        runDir_ = testkit::environmentText("KZ8_RUN_DIR_WIN");
        ASSERT_FALSE(runDir_.empty()) << "run under scripts/wine-run.sh";
        front_ = testkit::fixtureImage("card/card-rgb.ppm");
        back_ = testkit::fixtureImage("card/card-back.ppm");
        ASSERT_EQ(front_.width, 580);
        ASSERT_EQ(back_.width, 580);
    }

    // Packs and starts a card; the test ends it or the destructor does.
    CardProcess& start(const CardMedia& media, const std::string& folder = "") {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        const std::string card = (folder.empty() ? runDir_ : folder) + "\\" + name + ".exe";
        EXPECT_TRUE(testkit::writeCardFile(card, media)) << "card not written";
        card_ = std::make_unique<CardProcess>(card, runDir_ + "\\tmp-" + name);
        EXPECT_TRUE(card_->started());
        window_ = card_->waitForWindow();
        EXPECT_TRUE(window_) << "no player window";
        GetCardRect(window_, &cardRect_);
        return *card_;
    }

    bool showsFront() const { return shows(front_); }
    bool showsBack() const { return shows(back_); }
    bool shows(const PpmImage& picture) const {
        return testkit::showsImageAt(testkit::captureScreen(), picture, cardRect_.left,
                                     cardRect_.top, videoArea());
    }
    // Card pixels that are neither the front's nor the back's.
    size_t pixelsShowingNeitherPicture(const PpmImage& screen) const {
        size_t neither = 0;
        for (int y = 0; y < front_.height; ++y)
            for (int x = 0; x < front_.width; ++x) {
                const testkit::Rgb seen = screen.at(cardRect_.left + x, cardRect_.top + y);
                if (!(seen == front_.at(x, y)) && !(seen == back_.at(x, y))) ++neither;
            }
        return neither;
    }
    // The clip's window covers its part of the front while it exists.
    RECT videoArea() const {
        for (HWND w : card_->ownedWindows())
            if (IsWindowVisible(w)) {
                RECT r{};
                GetWindowRect(w, &r);
                return r;
            }
        return RECT{};
    }
    HWND visibleMediaWindow() const {
        for (HWND w : card_->ownedWindows())
            if (IsWindowVisible(w)) return w;
        return nullptr;
    }

    // The middle of a bar button, where the layout puts it.
    POINT buttonCentre(BarButton which) const {
        const SIZE bar = BitmapSize(barBitmap_.get());
        const ButtonBarLayout layout = layOutButtonBar(CardRectOf(window_), bar.cx, bar.cy);
        const LayoutRect& r = layout.buttons[which];
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    LayoutRect buttonRect(BarButton which) const {
        const SIZE bar = BitmapSize(barBitmap_.get());
        return layOutButtonBar(CardRectOf(window_), bar.cx, bar.cy).buttons[which];
    }
    LinkBarLayout linkLayout() const {
        const SIZE strip = BitmapSize(stripBitmap_.get());
        const SIZE link = BitmapSize(linkBitmap_.get());
        return layOutLinkBar(CardRectOf(window_), strip.cx, strip.cy, link.cx);
    }
    static void click(POINT at) {
        ASSERT_TRUE(testkit::moveMouseTo(at.x, at.y));
        ASSERT_TRUE(testkit::pressLeft());
        ASSERT_TRUE(testkit::releaseLeft());
    }
    void clickButton(BarButton which) { click(buttonCentre(which)); }
    // Clicks on buttons in one quick burst of pointer events, well within
    // the player's 50 ms turn delay.
    void clickInOneBurst(std::initializer_list<BarButton> buttons) {
        std::string burst;
        for (BarButton b : buttons) {
            const POINT at = buttonCentre(b);
            burst += "mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) +
                     " mousedown 1 mouseup 1 ";
        }
        ASSERT_TRUE(testkit::xdotool(burst));
    }
    // Out of the way of every button, so that none shows its hover look.
    static void parkMouse() { ASSERT_TRUE(testkit::moveMouseTo(5, 5)); }

    // Each opening of the wave device starts the capture afresh; removing it
    // tells a new playback from an old one.
    static void forgetCapturedSound() {
        DeleteFileA(testkit::environmentText("KZ8_CAPTURE_PCM_WIN").c_str());
    }
    // The last playback, without the silence Wine's device inserts when a
    // writer falls behind.
    static std::vector<uint8_t> soundHeard() {
        return testkit::withoutSilentFrames(testkit::capturedPcm(), 4);
    }
    static std::vector<uint8_t> referenceSound(const std::string& name, size_t limit = SIZE_MAX) {
        std::vector<uint8_t> pcm =
            testkit::readFile(testkit::fixturePath(name)).value_or(std::vector<uint8_t>{});
        if (pcm.size() > limit) pcm.resize(limit);
        return testkit::withoutSilentFrames(pcm, 4);
    }

    // Ends the card as its recipient does and checks it leaves nothing.
    void closeWith(BarButton closeButton) {
        clickButton(closeButton);
        expectCleanExit();
    }
    void expectCleanExit() {
        auto code = card_->waitForExit();
        ASSERT_TRUE(code) << "the card did not end; its window "
                          << (IsWindow(window_) ? "is still there" : "is gone");
        EXPECT_EQ(*code, 0u);
        EXPECT_TRUE(card_->tempFiles().empty())
            << "left in the temporary folder: " << card_->tempFiles().front();
    }

    std::string runDir_;
    PpmImage front_, back_;
    Bitmap barBitmap_{LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BUTTON_BAR))};
    Bitmap stripBitmap_{LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_LINK_STRIP))};
    Bitmap linkBitmap_{LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_LINK_NORMAL))};
    std::unique_ptr<CardProcess> card_;
    HWND window_ = nullptr;
    RECT cardRect_{};
};

constexpr double kFrontOnlyMs = 5000;
constexpr double kPollMs = 10;

TEST_F(CardPlayer, FrontOnlyCardShowsItsFrontFiveSecondsThenDissolvesToTheBack) {
    start(CardMedia{});
    ASSERT_TRUE(window_);
    const double shown = nowMs();
    parkMouse();

    // Maximised over the whole screen, the card centred, the front unscaled.
    RECT window{};
    GetWindowRect(window_, &window);
    EXPECT_EQ(window.right - window.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(window.bottom - window.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(cardRect_.left, (GetSystemMetrics(SM_CXSCREEN) - 580) / 2);
    EXPECT_EQ(cardRect_.top, (GetSystemMetrics(SM_CYSCREEN) - 380) / 2);
    ASSERT_GE(waitUntil([&] { return showsFront(); }, 3000), 0)
        << "the front is not shown unchanged";

    // The bar above the card: Play and Stop disabled, the rest ready.
    const PpmImage screen = testkit::captureScreen();
    struct Look {
        BarButton button;
        int bitmap;
    } looks[] = {{kPlayButton, IDB_PLAY_DISABLED},
                 {kStopButton, IDB_STOP_DISABLED},
                 {kTurnButton, IDB_TURN_NORMAL},
                 {kPrintButton, IDB_PRINT_NORMAL},
                 {kCloseButton, IDB_CLOSE_NORMAL}};
    for (const Look& look : looks) {
        const LayoutRect r = buttonRect(look.button);
        const PpmImage bitmap = testkit::resourceBitmapImage(look.bitmap, r.width(), r.height());
        EXPECT_TRUE(testkit::showsImageAt(screen, bitmap, r.left, r.top))
            << "button " << look.button;
    }

    // The screen saver is refused while the card shows.
    EXPECT_EQ(SendMessageA(window_, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 1);

    // The dissolve: from the first changed pixel to the whole back, paced to
    // about a second. An exposure half-way shows the front with the passes
    // drawn so far, never the black the erase left.
    ASSERT_GE(waitUntil([&] { return !showsFront(); }, kFrontOnlyMs + 2000, kPollMs), 0);
    const double revealStarted = nowMs();
    EXPECT_NEAR(revealStarted - shown, kFrontOnlyMs, 600);
    Sleep(300);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(pixelsShowingNeitherPicture(testkit::captureScreen()), 0u)
        << "an exposure during the dissolve";
    ASSERT_GE(waitUntil([&] { return showsBack(); }, 5000, kPollMs), 0)
        << "the back is not shown unchanged";
    const double dissolveMs = nowMs() - revealStarted;
    std::printf("[ figure ] dissolve of the back, seen from outside: %.0f ms\n", dissolveMs);
    EXPECT_GT(dissolveMs, 700);
    EXPECT_LT(dissolveMs, 1800);

    // The link strip below the card, with the link at its right end.
    const LinkBarLayout strip = linkLayout();
    const PpmImage after = testkit::captureScreen();
    const PpmImage stripLook = testkit::resourceBitmapImage(
        IDB_LINK_STRIP, strip.link.left - strip.strip.left, strip.strip.height());
    EXPECT_TRUE(testkit::showsImageAt(after, stripLook, strip.strip.left, strip.strip.top));
    const PpmImage linkLook =
        testkit::resourceBitmapImage(IDB_LINK_NORMAL, strip.link.width(), strip.link.height());
    EXPECT_TRUE(testkit::showsImageAt(after, linkLook, strip.link.left, strip.link.top));

    closeWith(kCloseButton);
}

TEST_F(CardPlayer, ClipThenMp3SoundThenTheBackOneSecondAfterTheSoundsWholeSeconds) {
    forgetCapturedSound();
    CardMedia media;
    media.video = "cards/clip.avi";
    media.sound = "cards/melody.mp3";  // 10.7 s
    media.audioKind = 1;
    media.videoRect = RECT{40, 30, 200, 150};
    start(media);
    ASSERT_TRUE(window_);
    parkMouse();

    ASSERT_GE(waitUntil([&] { return visibleMediaWindow() != nullptr; }, 5000, kPollMs), 0)
        << "the clip did not start";
    RECT clip{};
    GetWindowRect(visibleMediaWindow(), &clip);
    EXPECT_EQ(clip.left, cardRect_.left + 40);
    EXPECT_EQ(clip.top, cardRect_.top + 30);
    EXPECT_EQ(clip.right - clip.left, 160);
    EXPECT_EQ(clip.bottom - clip.top, 120);
    // The rest of the front stays as it is, and the clip is seen above it
    // for the whole clip, not the front's picture behind it.
    EXPECT_TRUE(testkit::showsImageAt(testkit::captureScreen(), front_, cardRect_.left,
                                      cardRect_.top, clip));
    for (DWORD at : {300, 1200}) {
        Sleep(at == 300 ? 300 : 900);
        const PpmImage screen = testkit::captureScreen();
        POINT inside{0, 0};
        ClientToScreen(visibleMediaWindow(), &inside);
        EXPECT_LT(testkit::closestClipFrameDifference(screen, inside.x, inside.y), 24.0)
            << "at " << at << " ms the clip's place does not show the clip";
        EXPECT_GT(testkit::meanDifference(screen, front_, cardRect_.left, cardRect_.top, clip),
                  24.0)
            << "at " << at << " ms the clip's place shows the front";
    }
    EXPECT_TRUE(soundHeard().empty()) << "the sound started with the clip";

    ASSERT_GE(waitUntil([&] { return visibleMediaWindow() == nullptr; }, 10000, kPollMs), 0)
        << "the clip did not end";
    const double clipEnded = nowMs();
    ASSERT_GE(waitUntil([&] { return showsFront(); }, 2000, kPollMs), 0)
        << "the card was not repainted where the clip was";
    ASSERT_GE(waitUntil([&] { return !showsFront(); }, 14000, kPollMs), 0);
    const double turned = nowMs() - clipEnded;
    std::printf("[ figure ] back after the clip's end: %.0f ms\n", turned);
    EXPECT_NEAR(turned, 11000 + 20, 400) << "10.7 s of sound count as 10 whole seconds, plus one";
    ASSERT_GE(waitUntil([&] { return showsBack(); }, 5000, kPollMs), 0);

    EXPECT_EQ(soundHeard(), referenceSound("cards/melody.mp3.raw"))
        << "the device did not play exactly the decoded MP3";

    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ASSERT_TRUE(GetProcessMemoryInfo(card_->handle(), &memory, sizeof memory));
    std::printf("[ figure ] peak working set, clip and MP3 card: %.1f MB\n",
                double(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));

    // The system's own close, as from the task list.
    PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    expectCleanExit();
}

TEST_F(CardPlayer, WaveSoundPlaysInAHiddenMediaWindowAndItsEndRevealsTheBack) {
    forgetCapturedSound();
    CardMedia media;
    media.sound = "cards/chime.wav";  // 1 s
    media.audioKind = 0;
    start(media);
    ASSERT_TRUE(window_);
    const double shown = nowMs();
    ASSERT_GE(waitUntil([&] { return !card_->ownedWindows().empty(); }, 3000, kPollMs), 0);
    Sleep(300);  // past its creation, which may show it for a moment
    EXPECT_EQ(visibleMediaWindow(), nullptr) << "the sound's media window is shown";
    ASSERT_GE(waitUntil([&] { return showsBack(); }, 4000, kPollMs), 0)
        << "the sound's end did not reveal the back";
    EXPECT_LT(nowMs() - shown, kFrontOnlyMs - 1000);
    EXPECT_TRUE(card_->ownedWindows().empty()) << "the sound's media window was not closed";

    const std::vector<uint8_t> chime =
        testkit::readFile(testkit::fixturePath("cards/chime.wav")).value_or(std::vector<uint8_t>{});
    ASSERT_GT(chime.size(), 44u);
    const std::vector<uint8_t> chimeSound =
        testkit::withoutSilentFrames(std::vector<uint8_t>(chime.begin() + 44, chime.end()), 4);
    EXPECT_TRUE(testkit::findBytes(soundHeard(), chimeSound))
        << "the WAVE track did not reach the device unchanged";
    closeWith(kCloseButton);
}

TEST_F(CardPlayer, StopHoldsTheFrontAndPlayStartsTheSoundFromItsBeginning) {
    forgetCapturedSound();
    CardMedia media;
    media.sound = "cards/jingle.mp3";  // 2.5 s: the back would come after 3 s
    media.audioKind = 1;
    start(media);
    ASSERT_TRUE(window_);
    ASSERT_GE(waitUntil([&] { return !soundHeard().empty(); }, 3000, kPollMs), 0);
    clickButton(kStopButton);
    Sleep(4500);
    EXPECT_TRUE(showsFront()) << "Stop did not hold the front";

    forgetCapturedSound();
    clickButton(kPlayButton);
    const std::vector<uint8_t> opening = referenceSound("cards/jingle.mp3.raw", 44100 * 4 / 2);
    ASSERT_GE(waitUntil([&] { return soundHeard().size() >= opening.size(); }, 3000, kPollMs), 0);
    const std::vector<uint8_t> again = soundHeard();
    EXPECT_TRUE(std::equal(opening.begin(), opening.end(), again.begin()))
        << "Play did not start the sound from its beginning";

    // Closed while the MP3 plays: its file is deleted all the same.
    closeWith(kCloseButton);
}

TEST_F(CardPlayer, TurnClosesTheClipAndTurningBackStartsTheFrontAgain) {
    CardMedia media;
    media.video = "cards/clip.avi";
    media.sound = "cards/jingle.mp3";
    media.audioKind = 1;
    start(media);
    ASSERT_TRUE(window_);
    ASSERT_GE(waitUntil([&] { return visibleMediaWindow() != nullptr; }, 5000, kPollMs), 0);
    forgetCapturedSound();
    clickButton(kTurnButton);
    ASSERT_GE(waitUntil([&] { return showsBack(); }, 3000, kPollMs), 0)
        << "Turn did not reveal the back";
    EXPECT_TRUE(card_->ownedWindows().empty()) << "the clip was not closed";
    Sleep(500);
    EXPECT_TRUE(soundHeard().empty()) << "a turned clip started the sound";

    clickButton(kTurnButton);
    ASSERT_GE(waitUntil([&] { return visibleMediaWindow() != nullptr; }, 3000, kPollMs), 0)
        << "turning back did not start the clip again";
    EXPECT_TRUE(testkit::showsImageAt(testkit::captureScreen(), front_, cardRect_.left,
                                      cardRect_.top, videoArea()));
    // The session ends while the clip plays: its file is deleted all the same.
    EXPECT_EQ(SendMessageA(window_, WM_ENDSESSION, TRUE, 0), 0);
    EXPECT_TRUE(card_->tempFiles().empty())
        << "left when the session ended: " << card_->tempFiles().front();
    expectCleanExit();
}

TEST_F(CardPlayer, ADoubleClickOnTurnTurnsOnceAndPrintPrintsTheCard) {
    start(CardMedia{});
    ASSERT_TRUE(window_);
    ASSERT_GE(waitUntil([&] { return showsFront(); }, 3000), 0);
    clickInOneBurst({kTurnButton, kTurnButton});
    ASSERT_GE(waitUntil([&] { return showsBack(); }, 3000, kPollMs), 0);
    Sleep(1000);
    EXPECT_TRUE(showsBack()) << "a double click turned the card twice";

    // Print once the turn is over: one page on the captured printer.
    const size_t jobsBefore = testkit::printJobCount();
    clickButton(kPrintButton);
    EXPECT_GE(waitUntil([&] { return testkit::printJobCount() > jobsBefore; }, 20000, 100), 0)
        << "Print on the back printed nothing";

    // To the front and back again, and Close while the back dissolves in.
    clickButton(kTurnButton);
    ASSERT_GE(waitUntil([&] { return showsFront(); }, 3000, kPollMs), 0);
    clickButton(kTurnButton);
    ASSERT_GE(waitUntil([&] { return !showsFront(); }, 3000, 5), 0);
    const double closing = nowMs();
    closeWith(kCloseButton);
    EXPECT_LT(nowMs() - closing, 800) << "Close waited for the dissolve";
}

TEST_F(CardPlayer, MediaThePlayerCannotPlayAreSkipped) {
    struct Case {
        const char* name;
        CardMedia media;
        bool backSoon;
    };
    CardMedia brokenClip;
    brokenClip.video = "media/broken.avi";
    brokenClip.sound = "cards/jingle.mp3";
    brokenClip.audioKind = 1;
    CardMedia brokenWave;
    brokenWave.sound = "cards/unplayable.wav";
    {
        SCOPED_TRACE("a clip it cannot play goes on to the sound");
        forgetCapturedSound();
        start(brokenClip);
        ASSERT_GE(waitUntil([&] { return !soundHeard().empty(); }, 4000, kPollMs), 0);
        EXPECT_EQ(visibleMediaWindow(), nullptr);
        EXPECT_TRUE(showsFront());
        closeWith(kCloseButton);
    }
    {
        SCOPED_TRACE("a WAVE track it cannot play: the back at once");
        start(brokenWave);
        const double shown = nowMs();
        ASSERT_GE(waitUntil([&] { return showsBack(); }, 4000, kPollMs), 0);
        EXPECT_LT(nowMs() - shown, 2500);
        closeWith(kCloseButton);
    }
}

TEST_F(CardPlayer, StartsAboutAsFastAsAProgramThatOnlyShowsOnePicture) {
    const std::string card = runDir_ + "\\startup.exe";
    ASSERT_TRUE(testkit::writeCardFile(card, CardMedia{}));
    const std::string bitmap = testkit::fixturePath("cards/front.bmp");
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 580) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - 380) / 2;
    // From the start of the process to the whole front on the screen.
    auto timeToFront = [&](const std::string& program, const std::string& arguments,
                           const char* windowClass) {
        const double started = nowMs();
        CardProcess process(program, runDir_ + "\\tmp-startup", arguments);
        double shownAt = -1;
        waitUntil(
            [&] {
                if (!testkit::showsImageAt(testkit::captureScreen(), front_, left, top))
                    return false;
                shownAt = nowMs();
                return true;
            },
            15000, 1);
        PostMessageA(process.waitForWindow(5000, windowClass), WM_CLOSE, 0, 0);
        EXPECT_TRUE(process.waitForExit()) << program;
        EXPECT_TRUE(process.tempFiles().empty()) << program;
        return shownAt < 0 ? 1e9 : shownAt - started;
    };
    double player = 1e9, onePicture = 1e9;
    for (int round = 0; round < 3; ++round) {  // the best of three, taken in turns
        player = std::min(player, timeToFront(card, "", "VPlayerWndCls"));
        onePicture =
            std::min(onePicture, timeToFront(testkit::onePicturePath(), bitmap, "OnePicture"));
    }
    ASSERT_LT(player, 1e9) << "the card never showed its front";
    ASSERT_LT(onePicture, 1e9) << "the one-picture program never showed it";
    std::printf(
        "[ figure ] start to front on screen: player %.0f ms, one-picture program %.0f ms, ratio "
        "%.2f\n",
        player, onePicture, player / onePicture);
}

TEST_F(CardPlayer, ADllPlantedBesideTheCardIsNotLoaded) {
    const std::string folder = runDir_ + "\\downloads";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string planted = folder + "\\msvfw32.dll", marker = planted + ".loaded";
    ASSERT_TRUE(CopyFileA(KZ8_PLANTED_DLL, planted.c_str(), FALSE));
    DeleteFileA(marker.c_str());
    // Wine prefers its own msvfw32 wherever a program looks; told to prefer a
    // native one for this card, as Windows does, it would take the planted
    // DLL from the card's folder unless the card keeps its search to the
    // system folder.
    const std::string appKey =
        "Software\\Wine\\AppDefaults\\" +
        std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
        ".exe\\DllOverrides";
    RegistryKey overrides;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, appKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, overrides.put(), nullptr),
              ERROR_SUCCESS);
    const char nativeFirst[] = "native,builtin";
    RegSetValueExA(overrides.get(), "msvfw32", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(nativeFirst), sizeof nativeFirst);
    struct ForgetOverride {
        HKEY key;
        ~ForgetOverride() { RegDeleteValueA(key, "msvfw32"); }
    } forget{overrides.get()};
    CardMedia media;
    media.video = "cards/clip.avi";
    start(media, folder);
    ASSERT_TRUE(window_);
    EXPECT_GE(waitUntil([&] { return visibleMediaWindow() != nullptr; }, 5000, kPollMs), 0)
        << "the clip did not play";
    EXPECT_EQ(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES)
        << "the card loaded the msvfw32.dll beside it";
    closeWith(kCloseButton);
}

TEST_F(CardPlayer, ABadPackageIsReportedAndEndsWithoutAWindow) {
    const std::string card = runDir_ + "\\bare-player.exe";
    ASSERT_TRUE(CopyFileA(testkit::kinettaPath().c_str(), card.c_str(), FALSE));
    CardProcess process(card, runDir_ + "\\tmp-bad");
    ASSERT_TRUE(process.started());
    HWND box = nullptr;
    ASSERT_GE(waitUntil(
                  [&] {
                      box = process.findWindowOfClass("#32770");
                      return box && IsWindowVisible(box);
                  },
                  10000),
              0)
        << "no message";
    char caption[64] = {}, text[128] = {};
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ(caption, "Error");
    EXPECT_STREQ(text, "The file is invalid.");
    EXPECT_EQ(process.findWindowOfClass("VPlayerWndCls"), nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    auto code = process.waitForExit();
    ASSERT_TRUE(code);
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(process.tempFiles().empty());
}
}  // namespace
}  // namespace kz8::player
