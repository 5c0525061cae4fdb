// The least a Windows program can do to show a 580 x 380 picture full
// screen: load a bitmap file and paint it in the middle of a maximised
// pop-up. The card player's start-up is timed against it.
#include <windows.h>

namespace {

HBITMAP gPicture = nullptr;

LRESULT CALLBACK pictureWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT client;
            GetClientRect(window, &client);
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, gPicture);
            BitBlt(dc, (client.right - 580) / 2, (client.bottom - 380) / 2, 580, 380, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    gPicture = static_cast<HBITMAP>(LoadImageA(nullptr, commandLine, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!gPicture) return 1;
    WNDCLASSA cls{};
    cls.lpfnWndProc = pictureWindow;
    cls.hInstance = instance;
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    cls.lpszClassName = "OnePicture";
    RegisterClassA(&cls);
    HWND window = CreateWindowExA(0, cls.lpszClassName, "picture", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0,
                                  nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWMAXIMIZED);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    DeleteObject(gPicture);
    return 0;
}
