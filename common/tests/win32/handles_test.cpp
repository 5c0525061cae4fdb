#include "common/win32/handles.h"

#include <gtest/gtest.h>

#include "common/win32/global_dib.h"

namespace kz8 {
inline namespace common {
namespace {

TEST(KernelHandle, ClosesOnDestructionAndHandsOverOnRelease) {
    HANDLE raw = nullptr;
    {
        KernelHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        ASSERT_TRUE(event);
        raw = event.get();
        DWORD flags = 0;
        EXPECT_TRUE(GetHandleInformation(raw, &flags));
    }
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(raw, &flags)) << "the event was not closed";

    KernelHandle kept(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    HANDLE released = kept.release();
    EXPECT_FALSE(kept);
    EXPECT_TRUE(GetHandleInformation(released, &flags)) << "release must not close";
    CloseHandle(released);

    EXPECT_FALSE(KernelHandle(INVALID_HANDLE_VALUE)) << "a failed CreateFile is not a handle";
}

TEST(KernelHandle, MoveTransfersOwnership) {
    KernelHandle a(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    HANDLE raw = a.get();
    KernelHandle b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.get(), raw);
    KernelHandle c;
    c = std::move(b);
    EXPECT_EQ(c.get(), raw);
    DWORD flags = 0;
    EXPECT_TRUE(GetHandleInformation(raw, &flags));
}

TEST(GdiObject, DeletesBrushAndRestoresSelection) {
    HBRUSH raw = nullptr;
    CreatedDc dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BRUSH);
    {
        Brush brush(CreateSolidBrush(RGB(10, 20, 30)));
        raw = brush.get();
        ASSERT_EQ(GetObjectType(raw), DWORD(OBJ_BRUSH));
        SelectionGuard selected(dc.get(), brush.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), raw);
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), original) << "selection not restored";
    EXPECT_EQ(GetObjectType(raw), 0u) << "the brush was not deleted";
}

TEST(GlobalMemory, CarriesDibBytesAcrossTheBoundary) {
    auto dib = Dib::create(3, 2, 24);
    ASSERT_TRUE(dib);
    dib->mutableView().row(0)[0] = 0x5A;
    GlobalMemory block = copyToGlobal(dib->bytes());
    ASSERT_TRUE(block);
    EXPECT_EQ(block.size(), dib->bytes().size());
    EXPECT_EQ(GlobalFlags(block.get()) & GMEM_LOCKCOUNT, 0u);
    {
        GlobalLockGuard lock(block.get());
        std::string error;
        auto view = viewDib(lock, &error);
        ASSERT_TRUE(view) << error;
        EXPECT_EQ(view->width(), 3u);
        EXPECT_EQ(view->row(0)[0], 0x5A);
        EXPECT_EQ(GlobalFlags(block.get()) & GMEM_LOCKCOUNT, 1u);
    }
    EXPECT_EQ(GlobalFlags(block.get()) & GMEM_LOCKCOUNT, 0u) << "lock guard did not unlock";

    GlobalMemory tooSmall = copyToGlobal(std::vector<uint8_t>(20, 0));
    GlobalLockGuard lock(tooSmall.get());
    EXPECT_FALSE(viewDib(lock));
}

TEST(LoadedModule, FreesTheLibrary) {
    {
        LoadedModule module(LoadLibraryA("msacm32.dll"));
        ASSERT_TRUE(module);
        EXPECT_NE(GetModuleHandleA("msacm32.dll"), nullptr);
    }
    EXPECT_EQ(GetModuleHandleA("msacm32.dll"), nullptr);
}

}  // namespace
}  // namespace common
}  // namespace kz8
