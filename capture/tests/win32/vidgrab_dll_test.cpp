// vidgrab.dll end to end, as a host binds it: LoadLibraryA, GetProcAddress
// by the MSVC names, a picture taken, and FreeLibrary after OnDone with
// nothing left alive.
#include <windows.h>

#include <gtest/gtest.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "capture/tests/win32/capture_host.h"
#include "common/testing/win32/capture_test_devices.h"
#include "common/testing/win32/message_box_answerer.h"
#include "common/win32/handles.h"
#include "outside/capture/capture_ids.h"

namespace {

namespace ids = kz8::capture::testkit;

#ifdef _WIN64
#define HWND_ARG "PEAUHWND__@@"
#define POINTER "PEA"
#define CONST_POINTER "PEB"
#else
#define HWND_ARG "PAUHWND__@@"
#define POINTER "PA"
#define CONST_POINTER "PB"
#endif

// The library's functions, bound the way a host binds them.
struct VidgrabDll {
    explicit VidgrabDll(HMODULE dll) : module(dll) {}
    template <typename Function>
    Function bind(const char* exported) const {
        return reinterpret_cast<Function>(
            reinterpret_cast<void*>(GetProcAddress(module, exported)));
    }
    HMODULE module;
    int(__cdecl* onInitDialog)(HWND) = bind<decltype(onInitDialog)>("?OnInitDialog@@YAH" HWND_ARG
                                                                    "@Z");
    int(__cdecl* count)() = bind<decltype(count)>("?GetCapDeviceCount@@YAHXZ");
    const char*(__cdecl* name)(int) = bind<decltype(name)>("?GetNthCapDeviceName@@YA" CONST_POINTER
                                                           "DH@Z");
    int(__cdecl* start)() = bind<decltype(start)>("?StartRender@@YAHXZ");
    int(__cdecl* stop)() = bind<decltype(stop)>("?StopRender@@YAHXZ");
    void*(__cdecl* renderDib)() = bind<decltype(renderDib)>("?GetRenderDib@@YA" POINTER "XXZ");
    void(__cdecl* onDone)() = bind<decltype(onDone)>("?OnDone@@YAXXZ");
};

TEST(VidgrabDll, TakesAPictureAndUnloadsCleanly) {
    kz8::ComApartment apartment;
    ASSERT_TRUE(apartment.ok());
    ids::CaptureHostWindow host;
    HMODULE module = LoadLibraryA(KZ8_VIDGRAB_DLL);
    ASSERT_NE(module, nullptr);
    VidgrabDll dll(module);
    ASSERT_TRUE(dll.onInitDialog && dll.count && dll.name && dll.start && dll.stop &&
                dll.renderDib && dll.onDone);
    {
        // With no device its own text, as neither message library is here.
        kz8::testkit::CaptureTestDevices none(KZ8_CAPTURE_FOLDER, {});
        kz8::testkit::MessageBoxAnswerer boxes;
        EXPECT_EQ(dll.onInitDialog(host.get()), 0);
        EXPECT_EQ(boxes.texts,
                  std::vector<std::string>{"No video capture device could be opened."});
        dll.onDone();
    }
    {
        kz8::testkit::CaptureTestDevices devices(
            KZ8_CAPTURE_FOLDER, {{"A", std::string("KZ8 Camera"), ids::kTestCamera}});
        ASSERT_EQ(dll.onInitDialog(host.get()), 1);
        EXPECT_EQ(dll.count(), 1);
        EXPECT_STREQ(dll.name(0), "KZ8 Camera");
        ASSERT_EQ(dll.start(), 1);
        std::string problem;
        auto picture = ids::waitForPicture(dll.renderDib, problem);
        EXPECT_EQ(problem, "");
        ASSERT_TRUE(picture && picture->counter);
        EXPECT_EQ(picture->width, 320) << "the camera's default";
        EXPECT_EQ(dll.stop(), 1);
        dll.onDone();
        EXPECT_EQ(kz8::testkit::standInLiveObjects("TestCamera.dll"), 0);
        EXPECT_EQ(kz8::testkit::standInLiveObjects("ColourConverter.dll"), 0);
        EXPECT_TRUE(FreeLibrary(module));
        EXPECT_EQ(GetModuleHandleA("vidgrab.dll"), nullptr);
    }
    CoFreeUnusedLibraries();
}

}  // namespace
