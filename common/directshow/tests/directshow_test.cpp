// Our DirectShow base under Wine's filter graph, through the capture
// stand-ins: the test camera enumerated as a device, its formats connected
// to the converter stand-in, Wine's AVI Decompressor and a sink of our
// own, its frames checked against the pattern for the counter they carry,
// IAMStreamConfig, and every object and task-memory block released again.
#include <windows.h>

#include <dshow.h>
#include <gtest/gtest.h>
#include <uuids.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/directshow/tests/frame_sink.h"
#include "common/directshow/win32/com_object.h"
#include "common/directshow/win32/media_type.h"
#include "common/directshow/win32/video_formats.h"
#include "common/testing/win32/capture_test_devices.h"
#include "common/testing/win32/dialog_watcher.h"
#include "common/testing/win32/malloc_spy.h"
#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/screen_pixels.h"
#include "common/win32/handles.h"
#include "outside/capture/camera/camera_source.h"
#include "outside/capture/capture_ids.h"
#include "outside/capture/portable/test_pattern.h"

namespace {

using kz8::ComPtr;
using kz8::capture::testkit::CameraFormat;
using kz8::capture::testkit::readFrameCounter;
using kz8::directshow::MediaType;
using kz8::directshow::testkit::FrameSink;
using kz8::testkit::descendant;
using kz8::testkit::DialogWatcher;
using kz8::testkit::pumpMessages;
using kz8::testkit::pumpUntil;
namespace ids = kz8::capture::testkit;

const std::string kStandIns = KZ8_CAPTURE_FOLDER;

LONG liveObjects(const char* dll) { return kz8::testkit::standInLiveObjects(dll); }

template <typename T>
ComPtr<T> create(const CLSID& clsid, REFIID iid) {
    ComPtr<T> made;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, made.putVoid());
    return made;
}

ComPtr<IPin> firstPin(IBaseFilter* filter, PIN_DIRECTION wanted) {
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins.put()))) return {};
    for (ComPtr<IPin> pin; pins->Next(1, pin.put(), nullptr) == S_OK;) {
        PIN_DIRECTION direction{};
        pin->QueryDirection(&direction);
        if (direction == wanted) return pin;
    }
    return {};
}

GUID subtypeOf(CameraFormat format) {
    switch (format) {
        case CameraFormat::Yuy2: return MEDIASUBTYPE_YUY2;
        case CameraFormat::MsVideo1:
            return kz8::directshow::fourccSubtype(kz8::directshow::kMsVideo1Fourcc);
        default: return MEDIASUBTYPE_RGB24;
    }
}

MediaType cameraType(CameraFormat format, int width, int height) {
    using namespace kz8::directshow;
    switch (format) {
        case CameraFormat::Yuy2: return yuy2VideoType(width, height, kFrameDuration30Fps);
        case CameraFormat::MsVideo1: return msVideo1VideoType(width, height, kFrameDuration30Fps);
        case CameraFormat::Rgb32: return rgb32VideoType(width, height, kFrameDuration30Fps);
        default: return rgb24VideoType(width, height, kFrameDuration30Fps);
    }
}

HRESULT setCameraFormat(IPin* pin, CameraFormat format, int width, int height) {
    ComPtr<IAMStreamConfig> config;
    if (FAILED(pin->QueryInterface(IID_IAMStreamConfig, config.putVoid()))) return E_NOINTERFACE;
    MediaType type = cameraType(format, width, height);
    return config->SetFormat(const_cast<AM_MEDIA_TYPE*>(&type.get()));
}

// How far the frame (top-down, packed) is from the pattern of the counter
// it carries; -1 without a counter. RGB formats come back exactly.
int distanceFromPattern(const std::vector<uint8_t>& rows, int width, int height, bool swapRedBlue) {
    return ids::patternDistance(rows.data(), width, height, size_t(width) * 3, swapRedBlue);
}

class DirectShow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(apartment_.ok());
        devices_ = std::make_unique<kz8::testkit::CaptureTestDevices>(
            kStandIns, std::vector<kz8::testkit::CaptureTestDevices::Instance>{
                           {"KZ8 A", std::string("KZ8 Test Camera"), ids::kTestCamera},
                           {"KZ8 B", std::nullopt, ids::kTestCamera},
                           {"KZ8 C", std::string("KZ8 Broken Camera"), ids::kTestCameraBindFails}});
    }
    // Every test ends with nothing of the stand-ins alive.
    void TearDown() override {
        EXPECT_EQ(liveObjects("TestCamera.dll"), 0);
        EXPECT_EQ(liveObjects("ColourConverter.dll"), 0);
        devices_.reset();
        CoFreeUnusedLibraries();
    }
    kz8::ComApartment apartment_;
    std::unique_ptr<kz8::testkit::CaptureTestDevices> devices_;
};

TEST_F(DirectShow, DevicesComeBackInKeyOrderAndGoAgain) {
    auto enumerator = create<ICreateDevEnum>(CLSID_SystemDeviceEnum, IID_ICreateDevEnum);
    ASSERT_TRUE(enumerator);
    ComPtr<IEnumMoniker> monikers;
    ASSERT_EQ(enumerator->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, monikers.put(), 0),
              S_OK);
    std::vector<std::string> names;
    std::vector<bool> bound;
    for (ComPtr<IMoniker> moniker; monikers->Next(1, moniker.put(), nullptr) == S_OK;) {
        ComPtr<IPropertyBag> bag;
        std::string name = "(none)";
        if (SUCCEEDED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.putVoid()))) {
            VARIANT value;
            VariantInit(&value);
            if (SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR) {
                char text[128] = {};
                WideCharToMultiByte(CP_ACP, 0, value.bstrVal, -1, text, sizeof text, nullptr,
                                    nullptr);
                name = text;
            }
            VariantClear(&value);
        }
        names.push_back(name);
        ComPtr<IBaseFilter> filter;
        bound.push_back(
            SUCCEEDED(moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.putVoid())));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"KZ8 Test Camera", "(none)", "KZ8 Broken Camera"}));
    EXPECT_EQ(bound, (std::vector<bool>{true, true, false}));
    monikers = {};

    devices_.reset();
    ComPtr<IEnumMoniker> none;
    EXPECT_EQ(enumerator->CreateClassEnumerator(CLSID_VideoInputDeviceCategory, none.put(), 0),
              S_FALSE);
    EXPECT_FALSE(none);
}

TEST_F(DirectShow, StreamConfigTakesOnlyWhatTheCameraOffers) {
    auto camera = create<IBaseFilter>(ids::kTestCamera, IID_IBaseFilter);
    ASSERT_TRUE(camera);
    ComPtr<IPin> out = firstPin(camera.get(), PINDIR_OUTPUT);
    ASSERT_TRUE(out);
    struct Case {
        CameraFormat format;
        int width, height;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {CameraFormat::Rgb24, 640, 480, true},     {CameraFormat::Rgb24, 161, 120, true},
        {CameraFormat::Rgb24, 800, 600, false},    {CameraFormat::Yuy2, 320, 240, true},
        {CameraFormat::Yuy2, 161, 120, false},     {CameraFormat::MsVideo1, 160, 120, true},
        {CameraFormat::MsVideo1, 161, 120, false}, {CameraFormat::Rgb32, 320, 240, false},
    };
    ComPtr<IAMStreamConfig> config = out.query<IAMStreamConfig>(IID_IAMStreamConfig);
    ASSERT_TRUE(config);
    for (const Case& c : cases) {
        EXPECT_EQ(SUCCEEDED(setCameraFormat(out.get(), c.format, c.width, c.height)), c.accepted)
            << int(c.format) << " " << c.width << "x" << c.height;
        AM_MEDIA_TYPE* now = nullptr;
        ASSERT_EQ(config->GetFormat(&now), S_OK);
        const auto format = kz8::directshow::videoFormatOf(*now);
        kz8::directshow::deleteMediaType(now);
        ASSERT_TRUE(format);
        if (c.accepted) {
            EXPECT_EQ(format->subtype, subtypeOf(c.format));
            EXPECT_EQ(format->width, c.width);
        }
    }
    EXPECT_EQ(config->SetFormat(nullptr), S_OK) << "back to the default";
    int count = 0, size = 0;
    EXPECT_EQ(config->GetNumberOfCapabilities(&count, &size), S_OK);
    EXPECT_GE(count, 8);
    EXPECT_EQ(size, int(sizeof(VIDEO_STREAM_CONFIG_CAPS)));
}

TEST_F(DirectShow, EachFormatConnectsWhereItShouldAndItsFramesArriveWhole) {
    struct Downstream {
        const char* name;
        CLSID clsid;
    };
    const Downstream converter{"converter", ids::kColourConverter};
    const Downstream decompressor{"AVI Decompressor", CLSID_AVIDec};
    struct Case {
        CameraFormat format;
        const Downstream* through;  // null: straight into the sink
        bool connects;
        int tolerance;
    };
    const std::vector<Case> cases = {
        {CameraFormat::Rgb24, nullptr, true, 0},
        {CameraFormat::Rgb24, &converter, true, 0},
        {CameraFormat::Rgb24, &decompressor, false, 0},
        {CameraFormat::Yuy2, nullptr, false, 0},
        {CameraFormat::Yuy2, &converter, true, 2},
        {CameraFormat::Yuy2, &decompressor, false, 0},
        {CameraFormat::MsVideo1, nullptr, false, 0},
        {CameraFormat::MsVideo1, &converter, false, 0},
        {CameraFormat::MsVideo1, &decompressor, true, 0},
    };
    for (const Case& c : cases) {
        const std::string cell =
            std::to_string(int(c.format)) + " through " + (c.through ? c.through->name : "nothing");
        {
            auto graph = create<IGraphBuilder>(CLSID_FilterGraph, IID_IGraphBuilder);
            auto camera = create<IBaseFilter>(ids::kTestCamera, IID_IBaseFilter);
            ASSERT_TRUE(graph && camera) << cell;
            auto sinkObject = kz8::directshow::makeComObject<IBaseFilter, FrameSink>();
            auto* sink = static_cast<FrameSink*>(sinkObject.get());
            graph->AddFilter(camera.get(), L"Camera");
            graph->AddFilter(sinkObject.get(), L"Sink");
            ComPtr<IPin> out = firstPin(camera.get(), PINDIR_OUTPUT);
            ASSERT_EQ(setCameraFormat(out.get(), c.format, 160, 120), S_OK) << cell;
            ComPtr<IBaseFilter> middle;
            HRESULT joined = S_OK;
            if (c.through) {
                middle = create<IBaseFilter>(c.through->clsid, IID_IBaseFilter);
                ASSERT_TRUE(middle) << cell;
                graph->AddFilter(middle.get(), L"Middle");
                joined = graph->ConnectDirect(out.get(), firstPin(middle.get(), PINDIR_INPUT).get(),
                                              nullptr);
                if (SUCCEEDED(joined))
                    joined = graph->ConnectDirect(firstPin(middle.get(), PINDIR_OUTPUT).get(),
                                                  firstPin(sinkObject.get(), PINDIR_INPUT).get(),
                                                  nullptr);
            } else {
                joined = graph->ConnectDirect(
                    out.get(), firstPin(sinkObject.get(), PINDIR_INPUT).get(), nullptr);
            }
            EXPECT_EQ(SUCCEEDED(joined), c.connects) << cell << ": 0x" << std::hex << joined;
            if (SUCCEEDED(joined)) {
                auto control = graph.query<IMediaControl>(IID_IMediaControl);
                control->Run();
                EXPECT_TRUE(pumpUntil([&] { return sink->frames() >= 3; }, 5000)) << cell;
                control->Stop();
                int width = 0, height = 0;
                const auto rows = sink->latest(width, height);
                EXPECT_EQ(width, 160) << cell;
                // Wine's AVI Decompressor gives 24-bit output with red and
                // blue swapped.
                const bool swapped = c.through == &decompressor;
                EXPECT_LE(distanceFromPattern(rows, width, height, swapped), c.tolerance) << cell;
                EXPECT_GE(distanceFromPattern(rows, width, height, swapped), 0) << cell;
                if (!c.through) {
                    // Again at another size, after a disconnect.
                    ComPtr<IPin> in = firstPin(sinkObject.get(), PINDIR_INPUT);
                    graph->Disconnect(out.get());
                    graph->Disconnect(in.get());
                    ASSERT_EQ(setCameraFormat(out.get(), c.format, 320, 240), S_OK) << cell;
                    ASSERT_EQ(graph->ConnectDirect(out.get(), in.get(), nullptr), S_OK) << cell;
                    const int before = sink->frames();
                    control->Run();
                    EXPECT_TRUE(pumpUntil([&] { return sink->frames() >= before + 2; }, 5000));
                    control->Stop();
                    const auto larger = sink->latest(width, height);
                    EXPECT_EQ(width, 320) << cell;
                    EXPECT_EQ(distanceFromPattern(larger, width, height, false), 0) << cell;
                }
            }
        }
        EXPECT_EQ(liveObjects("TestCamera.dll"), 0) << cell;
        EXPECT_EQ(liveObjects("ColourConverter.dll"), 0) << cell;
    }
}

// What the window shows, as 24-bit BGR rows.
std::vector<uint8_t> shownRows(HWND window, int width, int height) {
    const kz8::testkit::PpmImage shown = kz8::testkit::windowImage(window, {0, 0, width, height});
    std::vector<uint8_t> rows(shown.rgb.size());
    for (size_t at = 0; at + 2 < rows.size(); at += 3) {
        rows[at] = shown.rgb[at + 2];
        rows[at + 1] = shown.rgb[at + 1];
        rows[at + 2] = shown.rgb[at];
    }
    return rows;
}

TEST_F(DirectShow, WinesRendererShowsTheMovingPicture) {
    const int width = 320, height = 240;
    HWND host = CreateWindowExA(0, "STATIC", "camera", WS_POPUP | WS_VISIBLE, 100, 100, width,
                                height, nullptr, nullptr, nullptr, nullptr);
    {
        auto graph = create<IGraphBuilder>(CLSID_FilterGraph, IID_IGraphBuilder);
        auto camera = create<IBaseFilter>(ids::kTestCamera, IID_IBaseFilter);
        ASSERT_TRUE(graph && camera);
        graph->AddFilter(camera.get(), L"Camera");
        ASSERT_EQ(graph->Render(firstPin(camera.get(), PINDIR_OUTPUT).get()), S_OK);
        auto video = graph.query<IVideoWindow>(IID_IVideoWindow);
        ASSERT_TRUE(video);
        video->put_Owner(OAHWND(host));
        video->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS);
        video->SetWindowPosition(0, 0, width, height);
        video->put_Visible(OATRUE);
        auto control = graph.query<IMediaControl>(IID_IMediaControl);
        control->Run();
        pumpMessages(2000);
        const auto first = shownRows(host, width, height);
        pumpMessages(500);
        const auto later = shownRows(host, width, height);
        control->Stop();
        video->put_Visible(OAFALSE);
        video->put_Owner(0);
        const auto firstCounter = readFrameCounter(first.data(), width, height, size_t(width) * 3);
        const auto laterCounter = readFrameCounter(later.data(), width, height, size_t(width) * 3);
        ASSERT_TRUE(firstCounter && laterCounter) << "the counter on the screen";
        EXPECT_GT(*laterCounter, *firstCounter);
        EXPECT_EQ(distanceFromPattern(later, width, height, false), 0);
    }
    DestroyWindow(host);
    EXPECT_EQ(liveObjects("TestCamera.dll"), 0);
    using CanUnload = HRESULT(WINAPI*)();
    auto canUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("TestCamera.dll"), "DllCanUnloadNow")));
    ASSERT_TRUE(canUnload);
    EXPECT_EQ(canUnload(), S_OK);
}

void showPages(IUnknown* object, const char* caption) {
    ComPtr<ISpecifyPropertyPages> specify;
    ASSERT_EQ(object->QueryInterface(IID_ISpecifyPropertyPages, specify.putVoid()), S_OK);
    CAUUID pages{};
    ASSERT_EQ(specify->GetPages(&pages), S_OK);
    std::wstring title(caption, caption + strlen(caption));
    IUnknown* objects[] = {object};
    EXPECT_EQ(OleCreatePropertyFrame(nullptr, 0, 0, title.c_str(), 1, objects, pages.cElems,
                                     pages.pElems, 0, 0, nullptr),
              S_OK);
    CoTaskMemFree(pages.pElems);
}

TEST_F(DirectShow, PagesChangeTheFormatAndThePicture) {
    auto camera = create<IBaseFilter>(ids::kTestCamera, IID_IBaseFilter);
    ASSERT_TRUE(camera);
    ComPtr<IPin> out = firstPin(camera.get(), PINDIR_OUTPUT);
    {
        // The format page: 161 x 120 picked, then OK.
        DialogWatcher watcher("Camera", [](HWND sheet) {
            HWND sizes = descendant(sheet, 1002);
            SendMessageA(sizes, CB_SETCURSEL, 1, 0);
            SendMessageA(GetParent(sizes), WM_COMMAND, MAKEWPARAM(1002, CBN_SELCHANGE),
                         LPARAM(sizes));
            PostMessageA(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
        });
        showPages(out.get(), "Camera");
    }
    ComPtr<IAMStreamConfig> config = out.query<IAMStreamConfig>(IID_IAMStreamConfig);
    AM_MEDIA_TYPE* now = nullptr;
    ASSERT_EQ(config->GetFormat(&now), S_OK);
    const auto format = kz8::directshow::videoFormatOf(*now);
    kz8::directshow::deleteMediaType(now);
    ASSERT_TRUE(format);
    EXPECT_EQ(format->width, 161);
    EXPECT_EQ(format->height, 120);
    {
        // The source page: inverted colours, then OK.
        DialogWatcher watcher("Camera", [](HWND sheet) {
            PostMessageA(descendant(sheet, 1003), BM_CLICK, 0, 0);
            pumpMessages(200);
            PostMessageA(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
        });
        showPages(camera.get(), "Camera");
    }
    ComPtr<ids::ICameraSource> source;
    ASSERT_EQ(camera->QueryInterface(ids::IID_ICameraSource, source.putVoid()), S_OK);
    BOOL inverted = FALSE;
    source->GetInverted(&inverted);
    EXPECT_TRUE(inverted);

    // The next frames are the pattern's negative, at the page's size.
    auto graph = create<IGraphBuilder>(CLSID_FilterGraph, IID_IGraphBuilder);
    auto sinkObject = kz8::directshow::makeComObject<IBaseFilter, FrameSink>();
    auto* sink = static_cast<FrameSink*>(sinkObject.get());
    graph->AddFilter(camera.get(), L"Camera");
    graph->AddFilter(sinkObject.get(), L"Sink");
    ASSERT_EQ(
        graph->ConnectDirect(out.get(), firstPin(sinkObject.get(), PINDIR_INPUT).get(), nullptr),
        S_OK);
    auto control = graph.query<IMediaControl>(IID_IMediaControl);
    control->Run();
    EXPECT_TRUE(pumpUntil([&] { return sink->frames() >= 2; }, 5000));
    control->Stop();
    int width = 0, height = 0;
    std::vector<uint8_t> rows = sink->latest(width, height);
    ASSERT_EQ(width, 161);
    for (uint8_t& byte : rows) byte = uint8_t(255 - byte);
    EXPECT_EQ(distanceFromPattern(rows, width, height, false), 0);
}

TEST_F(DirectShow, TheVfwVariantRecordsItsDialogs) {
    auto camera = create<IBaseFilter>(ids::kTestCameraVfw, IID_IBaseFilter);
    ASSERT_TRUE(camera);
    ComPtr<IAMVfwCaptureDialogs> dialogs =
        camera.query<IAMVfwCaptureDialogs>(IID_IAMVfwCaptureDialogs);
    ASSERT_TRUE(dialogs);
    using Count = LONG(WINAPI*)();
    auto last = reinterpret_cast<Count>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("TestCamera.dll"), "LastVfwDialog")));
    ASSERT_TRUE(last);
    EXPECT_EQ(dialogs->HasDialog(VfwCaptureDialog_Display), S_FALSE);
    std::vector<LONG> shown;
    for (const auto& [kind, title] : {std::pair{VfwCaptureDialog_Format, "Video Format"},
                                      std::pair{VfwCaptureDialog_Source, "Video Source"}}) {
        EXPECT_EQ(dialogs->HasDialog(kind), S_OK);
        DialogWatcher watcher(title,
                              [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
        dialogs->ShowDialog(kind, nullptr);
        shown.push_back(last());
    }
    EXPECT_EQ(shown, (std::vector<LONG>{2, 1}));
}

TEST_F(DirectShow, ConnectingAndDisconnectingLeavesNoTaskMemory) {
    kz8::testkit::MallocSpy spy;
    ASSERT_TRUE(spy.registered());
    {
        auto graph = create<IGraphBuilder>(CLSID_FilterGraph, IID_IGraphBuilder);
        auto camera = create<IBaseFilter>(ids::kTestCamera, IID_IBaseFilter);
        auto converter = create<IBaseFilter>(ids::kColourConverter, IID_IBaseFilter);
        ASSERT_TRUE(graph && camera && converter);
        graph->AddFilter(camera.get(), L"Camera");
        graph->AddFilter(converter.get(), L"Converter");
        ComPtr<IPin> out = firstPin(camera.get(), PINDIR_OUTPUT);
        ComPtr<IPin> in = firstPin(converter.get(), PINDIR_INPUT);
        ComPtr<IEnumMediaTypes> types;
        ASSERT_EQ(out->EnumMediaTypes(types.put()), S_OK);
        for (AM_MEDIA_TYPE* type = nullptr; types->Next(1, &type, nullptr) == S_OK;)
            kz8::directshow::deleteMediaType(type);
        ASSERT_EQ(graph->ConnectDirect(out.get(), in.get(), nullptr), S_OK);
        AM_MEDIA_TYPE connected{};
        ASSERT_EQ(out->ConnectionMediaType(&connected), S_OK);
        kz8::directshow::freeMediaType(connected);
        EXPECT_EQ(graph->Disconnect(out.get()), S_OK);
        EXPECT_EQ(graph->Disconnect(in.get()), S_OK);
    }
    EXPECT_EQ(spy.outstanding(), 0u);
    EXPECT_EQ(liveObjects("TestCamera.dll"), 0);
}

}  // namespace
