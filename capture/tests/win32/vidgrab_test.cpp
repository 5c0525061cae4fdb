// vidgrab's capture state through the static library, as a host calls it,
// under Wine with the test camera as the only device: frames handed out
// as DIBs, the device list and its warning, the states, the settings
// dialogs and teardown.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "capture/tests/win32/capture_host.h"
#include "capture/win32/capture_state.h"
#include "capture/win32/message_module.h"
#include "common/directshow/win32/live_objects.h"
#include "common/testing/win32/capture_test_devices.h"
#include "common/testing/win32/dialog_watcher.h"
#include "common/testing/win32/message_box_answerer.h"
#include "common/testing/win32/mouse_driver.h"
#include "outside/capture/capture_ids.h"
#include "outside/capture/portable/test_pattern.h"

namespace kz8::capture {
namespace {

using testkit::CaptureHostWindow;
using testkit::RenderedPicture;
using Devices = kz8::testkit::CaptureTestDevices;
using kz8::testkit::DialogWatcher;
using kz8::testkit::MessageBoxAnswerer;
namespace ids = kz8::capture::testkit;

const std::string kStandIns = KZ8_CAPTURE_FOLDER;
const std::string kOwnText = "No video capture device could be opened.";

Devices::Instance camera(const std::string& key, const std::string& mode = "RGB24 160x120",
                         const CLSID& cls = ids::kTestCamera) {
    return {key, "KZ8 " + key, cls, mode};
}

LONG lastVfwDialog() {
    using Last = LONG(WINAPI*)();
    auto last = reinterpret_cast<Last>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("TestCamera.dll"), "LastVfwDialog")));
    return last ? last() : -1;
}

class Vidgrab : public ::testing::Test {
protected:
    CaptureState& state = CaptureState::instance();

    void SetUp() override { ASSERT_TRUE(apartment_.ok()); }
    void TearDown() override {
        state.done();
        EXPECT_EQ(state.graph(), nullptr);
        EXPECT_EQ(state.deviceCount(), 0);
        EXPECT_EQ(kz8::testkit::standInLiveObjects("TestCamera.dll"), 0);
        EXPECT_EQ(kz8::testkit::standInLiveObjects("ColourConverter.dll"), 0);
        EXPECT_EQ(directshow::LiveObjects::objectCount(), 0) << "DibFilters alive";
        devices_.reset();
        CoFreeUnusedLibraries();
    }
    void useDevices(std::vector<Devices::Instance> instances) {
        devices_.reset();
        devices_ = std::make_unique<Devices>(kStandIns, std::move(instances));
    }
    std::optional<RenderedPicture> nextPicture(std::optional<uint32_t> after = std::nullopt) {
        std::string problem;
        auto picture = ids::waitForPicture([&] { return state.renderDib(); }, problem, after);
        EXPECT_EQ(problem, "");
        return picture;
    }

    kz8::ComApartment apartment_;
    std::unique_ptr<Devices> devices_;
    CaptureHostWindow host_;
};

TEST_F(Vidgrab, HandsOutEachFormatAsABottomUpDibOfThePattern) {
    struct Row {
        const char* mode;
        int width, height;
        int tolerance;
        bool swapRedBlue;  // Wine's AVI Decompressor mixes up red and blue
    } rows[] = {
        {"RGB24 161x120", 161, 120, 0, false},
        {"YUY2 160x120", 160, 120, 40, false},
        {"CRAM 640x480", 640, 480, 40, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        useDevices({camera("A", row.mode)});
        ASSERT_EQ(state.initDialog(host_.get()), 1);
        EXPECT_EQ(state.renderDib(), nullptr) << "before StartRender";
        ASSERT_EQ(state.startRender(), 1);
        auto first = nextPicture();
        ASSERT_TRUE(first && first->counter);
        EXPECT_EQ(first->width, row.width);
        EXPECT_EQ(first->height, row.height);
        EXPECT_LE(ids::patternDistance(first->rows.data(), first->width, first->height,
                                       size_t(first->width) * 3, row.swapRedBlue),
                  row.tolerance);
        auto later = nextPicture(first->counter);
        ASSERT_TRUE(later && later->counter) << "the counter advances";
        EXPECT_EQ(ids::otherVisibleWindows(host_.get()), std::vector<std::string>{});
        if (row.width == 161) {
            EXPECT_EQ(ids::drawnPixelsInClient(host_.get()), 0) << "video drawn in the host";
        }
        state.done();
    }
}

TEST_F(Vidgrab, WithNoDeviceWarnsAndHasNothingToRun) {
    useDevices({});
    MessageBoxAnswerer boxes;
    EXPECT_EQ(state.initDialog(host_.get()), 0);
    EXPECT_EQ(state.deviceCount(), 0);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{kOwnText});
    EXPECT_EQ(state.startRender(), 0);
    EXPECT_EQ(state.renderDib(), nullptr);
}

TEST_F(Vidgrab, FallsBackToTheNextDeviceButNotWhenOneIsChosen) {
    useDevices({camera("A", "RGB24 160x120", ids::kTestCameraBindFails), camera("B")});
    MessageBoxAnswerer boxes;
    EXPECT_EQ(state.initDialog(host_.get()), 2);
    EXPECT_EQ(state.buildRenderGraph(), 2) << "the number remembered";
    EXPECT_TRUE(boxes.texts.empty());
    state.choseDevice(0);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{kOwnText});
    EXPECT_EQ(state.graph(), nullptr);
    EXPECT_EQ(state.startRender(), 0);
}

TEST_F(Vidgrab, ListsNamesCutToTheirFieldAndAtMostAHundred) {
    std::vector<Devices::Instance> many = {{"A", std::string(120, 'n'), ids::kTestCamera},
                                           {"B", std::nullopt, ids::kTestCamera}};
    for (int device = 2; device < 101; ++device) {
        char key[8];
        wsprintfA(key, "C%03d", device);
        many.push_back(camera(key));
    }
    useDevices(many);
    ASSERT_EQ(state.initDialog(host_.get()), 1);
    EXPECT_EQ(state.deviceCount(), 100);
    EXPECT_EQ(std::string(state.deviceName(0)), std::string(79, 'n'));
    EXPECT_STREQ(state.deviceName(1), "");
    EXPECT_STREQ(state.deviceName(2), "KZ8 C002");
    for (int index : {-1, 100, 101}) EXPECT_EQ(state.deviceName(index), nullptr) << index;
}

// Wine's search for a data-file library skips SetDllDirectory's folder but
// not the current one, where a host's own folder would be on Windows.
TEST_F(Vidgrab, MessagesComeFromResDllThenResVidgrabThenItsOwnTable) {
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    const struct {
        const char* folder;
        std::string text;
    } rows[] = {{KZ8_MESSAGES_FOLDER, "Res_Dll: no capture device."},
                {KZ8_MESSAGES_FOLDER "\\vidgrab-only", "Res_Vidgrab: no capture device."},
                {KZ8_CAPTURE_FOLDER, kOwnText}};
    for (const auto& row : rows) {
        ASSERT_TRUE(SetCurrentDirectoryA(row.folder)) << row.folder;
        MessageModule messages(GetModuleHandleA(nullptr));
        EXPECT_EQ(messages.text(kNoDeviceText), row.text);
        messages.unload();
    }
    SetCurrentDirectoryA(previous);
}

TEST_F(Vidgrab, StartsAndStopsInEveryState) {
    useDevices({camera("A"), camera("B")});
    EXPECT_EQ(state.startRender(), 0) << "no graph";
    EXPECT_EQ(state.stopRender(), 1) << "not running";
    EXPECT_EQ(state.destroyGraph(), 1);
    ASSERT_EQ(state.initDialog(host_.get()), 1);
    EXPECT_EQ(state.startRender(), 1);
    EXPECT_EQ(state.startRender(), 1);
    EXPECT_TRUE(nextPicture());
    EXPECT_EQ(state.stopRender(), 1);
    EXPECT_EQ(state.stopRender(), 1);
    EXPECT_EQ(state.renderDib(), nullptr) << "stopped";

    // A rebuild while running leaves a graph that really runs once started.
    ASSERT_EQ(state.startRender(), 1);
    ASSERT_EQ(state.initDialog(host_.get()), 1);
    EXPECT_EQ(state.renderDib(), nullptr);
    EXPECT_EQ(state.startRender(), 1);
    EXPECT_TRUE(nextPicture());

    // Choosing a device while running keeps it running; choices outside
    // the list change nothing.
    state.choseDevice(1);
    EXPECT_TRUE(nextPicture()) << "device 2 runs without StartRender";
    const CaptureGraph* graph = state.graph();
    for (int index : {-1, 2, 100}) state.choseDevice(index);
    EXPECT_EQ(state.graph(), graph);
    EXPECT_TRUE(nextPicture());
    state.done();
    state.choseDevice(0);
    EXPECT_EQ(state.graph(), nullptr) << "an empty list";
}

TEST_F(Vidgrab, VfwDialogsAreShownAndRunningIsRestored) {
    useDevices({camera("A", "RGB24 160x120", ids::kTestCameraVfw)});
    ASSERT_EQ(state.initDialog(host_.get()), 1);
    ASSERT_EQ(state.startRender(), 1);
    const int filters = state.graph()->filterCount();
    std::vector<LONG> shown;
    for (int round = 0; round < 3; ++round) {
        for (auto [title, format] : {std::pair{"Video Format", true}, {"Video Source", false}}) {
            DialogWatcher watcher(title,
                                  [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
            format ? state.showFormatSettings(nullptr) : state.showSourceSettings(nullptr);
            if (round == 0) shown.push_back(lastVfwDialog());
        }
    }
    EXPECT_EQ(shown, (std::vector<LONG>{2, 1}));
    EXPECT_EQ(state.graph()->filterCount(), filters) << "rebuilds add no filters";
    EXPECT_EQ(directshow::LiveObjects::objectCount(), 1) << "one DibFilter";
    EXPECT_TRUE(nextPicture()) << "running again";
}

TEST_F(Vidgrab, TheFormatPageChangesTheSizeOfTheNextDib) {
    useDevices({camera("A", "RGB24 160x120")});
    ASSERT_EQ(state.initDialog(host_.get()), 1);
    ASSERT_EQ(state.startRender(), 1);
    const int filters = state.graph()->filterCount();
    {
        DialogWatcher watcher("Properties", [](HWND sheet) {
            HWND sizes = kz8::testkit::descendant(sheet, 1002);
            SendMessageA(sizes, CB_SETCURSEL, 1, 0);  // 161 x 120
            SendMessageA(GetParent(sizes), WM_COMMAND, MAKEWPARAM(1002, CBN_SELCHANGE),
                         LPARAM(sizes));
            PostMessageA(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
        });
        state.showFormatSettings(host_.get());
        EXPECT_TRUE(watcher.seen());
    }
    auto picture = nextPicture();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 161);
    EXPECT_EQ(ids::patternDistance(picture->rows.data(), 161, 120, 161 * 3, false), 0);
    EXPECT_EQ(state.graph()->filterCount(), filters);
}

TEST_F(Vidgrab, HostCallsDuringADialogAreIgnored) {
    useDevices({camera("A", "RGB24 160x120", ids::kTestCameraVfw), camera("B")});
    ASSERT_EQ(state.initDialog(host_.get()), 1);
    ASSERT_EQ(state.startRender(), 1);
    const CaptureGraph* graph = state.graph();
    std::vector<int> answers;
    host_.setHandler([&] {
        state.choseDevice(1);
        state.done();
        answers = {state.destroyGraph(), state.initDialog(host_.get()), state.buildRenderGraph(),
                   state.startRender()};
        state.showSourceSettings(nullptr);  // re-entry: shows nothing
    });
    {
        DialogWatcher watcher("Video Format", [&](HWND dialog) {
            PostMessageA(host_.get(), CaptureHostWindow::kRunHandler, 0, 0);
            kz8::testkit::pumpMessages(500);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        state.showFormatSettings(host_.get());
    }
    EXPECT_EQ(answers, (std::vector<int>{1, 1, 1, 0}));
    EXPECT_EQ(lastVfwDialog(), VfwCaptureDialog_Format) << "no source dialog";
    EXPECT_EQ(state.graph(), graph);
    EXPECT_EQ(state.deviceCount(), 2);
    EXPECT_TRUE(nextPicture()) << "running again";
}

TEST_F(Vidgrab, RebuildsLeaveNothingBehind) {
    useDevices({camera("A", "YUY2 160x120"), camera("B", "CRAM 160x120")});
    ASSERT_EQ(state.initDialog(host_.get()), 1);
    ASSERT_EQ(state.startRender(), 1);
    const int filters = state.graph()->filterCount();
    for (int round = 0; round < 20; ++round) state.choseDevice(round % 2);
    EXPECT_EQ(state.graph()->filterCount(), filters);
    EXPECT_EQ(directshow::LiveObjects::objectCount(), 1) << "one DibFilter";
    EXPECT_EQ(kz8::testkit::standInLiveObjects("TestCamera.dll"), 1) << "one camera";
    EXPECT_TRUE(nextPicture());
}

TEST_F(Vidgrab, WithoutAColourConverterTheBuildFailsUntilOneIsThere) {
    useDevices({camera("A")});
    devices_->removeConverter();
    EXPECT_EQ(state.initDialog(host_.get()), 0);
    EXPECT_EQ(state.graph(), nullptr);
    EXPECT_EQ(kz8::testkit::standInLiveObjects("TestCamera.dll"), 0);
    EXPECT_EQ(directshow::LiveObjects::objectCount(), 0);
    devices_->restoreConverter();
    EXPECT_EQ(state.buildRenderGraph(), 1);
}

}  // namespace
}  // namespace kz8::capture
