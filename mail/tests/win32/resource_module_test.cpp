// The resource module over the real Res_KZ8.dll, over a library that is not
// there, and over a probe library that notes which entry points are called.
#include "mail/win32/resource_module.h"

#include <gtest/gtest.h>

#include <string>

#include "common/testing/win32/wine_run.h"
#include "resources/res_kz8_ids.h"

namespace kz8::mail {
namespace {

INT_PTR CALLBACK quietDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::string library(const char* path) { return kz8::testkit::windowsPathOf(path); }

TEST(ResourceModule, OnResKz8ReadsItsFontsAndLoadsItsResources) {
    ResourceModule resources(library(RES_KZ8_DLL).c_str());
    ASSERT_TRUE(resources.module());
    EXPECT_STREQ(resources.fontName(), "Arial");
    EXPECT_STREQ(resources.addressFontName(), "Arial");
    EXPECT_EQ(resources.charSet(), 1u) << "only the first byte is written, the rest stays zero";
    EXPECT_EQ(resources.sampleLength(), 0);
    EXPECT_STREQ(resources.sampleText(), "");

    char text[64] = {};
    EXPECT_EQ(resources.loadString(53, text, sizeof text), 13);
    EXPECT_STREQ(text, "Connecting...");
    HWND parent =
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND warning = resources.createDialog(MAKEINTRESOURCEA(IDD_WARNING), parent, &quietDialog);
    EXPECT_TRUE(warning);
    EXPECT_EQ(GetParent(warning), parent);
    DestroyWindow(warning);
    DestroyWindow(parent);
    HMENU menu = resources.loadMenu(MAKEINTRESOURCEA(IDM_SOURCE_MENU));
    EXPECT_TRUE(menu);
    DestroyMenu(menu);
}

TEST(ResourceModule, WithoutTheLibraryEveryLoaderAnswersNothing) {
    ResourceModule resources("Z:\\no\\such\\Res_KZ8.dll");
    EXPECT_FALSE(resources.module());
    char text[64] = "untouched";
    EXPECT_EQ(resources.loadString(53, text, sizeof text), 0);
    EXPECT_EQ(resources.runDialog(MAKEINTRESOURCEA(IDD_WARNING), nullptr, &quietDialog), -1);
    EXPECT_FALSE(resources.loadMenu(MAKEINTRESOURCEA(IDM_SOURCE_MENU)));
    EXPECT_FALSE(resources.loadBitmap(MAKEINTRESOURCEA(IDB_BANNER)));
    // Names the system itself answers for a null module: none here.
    EXPECT_FALSE(resources.loadIcon(IDI_APPLICATION));
    EXPECT_FALSE(resources.loadCursor(IDC_ARROW));
    EXPECT_FALSE(resources.loadAccelerators(MAKEINTRESOURCEA(1)));
    EXPECT_STREQ(resources.fontName(), "");
}

TEST(ResourceModule, AsksTheLibraryInItsOrderAndNeverCallsGetFontSize) {
    ResourceModule resources(library(PROBE_RESOURCES_DLL).c_str());
    ASSERT_TRUE(resources.module());
    using Log = const char*(__cdecl*)();
    auto log = reinterpret_cast<Log>(
        reinterpret_cast<void*>(GetProcAddress(resources.module(), "ProbeCallLog")));
    ASSERT_TRUE(log);
    EXPECT_STREQ(log(), "GetFontName,GetCharSet,GetSampLen,GetSampText,GetAddrFont");
    EXPECT_STREQ(resources.fontName(), "Probe Sans");
    EXPECT_EQ(resources.charSet(), 0x80u);
    EXPECT_EQ(resources.sampleLength(), 11);
    EXPECT_STREQ(resources.sampleText(), "Sample text");
    EXPECT_STREQ(resources.addressFontName(), "Probe Mono");
}

}  // namespace
}  // namespace kz8::mail
