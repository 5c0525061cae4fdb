#include "skinui/tests/win32/owner_recorder.h"

#include <algorithm>

#include "skinui/win32/owner_messages.h"

namespace kz8::skinui::testkit {

namespace {

constexpr const char* kOwnerClass = "TemplateOwnerRecorder";

bool carriesName(UINT message) {
    return message >= kTemplateShownMessage && message <= kFocusLostMessage &&
           message != kNoCurrentTemplateMessage;
}

bool isRecorded(UINT message) {
    return message >= WM_USER || message == WM_COMMAND || message == WM_SYSCOMMAND ||
           message == WM_CHAR || message == WM_KEYDOWN;
}

}  // namespace

OwnerRecorder::OwnerRecorder(RECT area) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = procedure;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    cls.lpszClassName = kOwnerClass;
    RegisterClassA(&cls);
    const bool visible = !IsRectEmpty(&area);
    window_ = CreateWindowExA(0, kOwnerClass, "owner", WS_POPUP | (visible ? WS_VISIBLE : 0),
                              area.left, area.top, area.right - area.left, area.bottom - area.top,
                              nullptr, nullptr, cls.hInstance, this);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

OwnerRecorder::~OwnerRecorder() {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

std::vector<UINT> OwnerRecorder::messages() const {
    std::vector<UINT> all;
    for (const Notice& n : notices) all.push_back(n.message);
    return all;
}

size_t OwnerRecorder::count(UINT message) const {
    return size_t(std::count_if(notices.begin(), notices.end(),
                                [&](const Notice& n) { return n.message == message; }));
}

LRESULT CALLBACK OwnerRecorder::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<OwnerRecorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || !isRecorded(message)) return DefWindowProcA(window, message, wParam, lParam);
    Notice notice{message, "", wParam, lParam};
    if (carriesName(message) && wParam) notice.name = reinterpret_cast<const char*>(wParam);
    self->notices.push_back(notice);
    const LRESULT reaction = self->react ? self->react(notice) : 0;
    if (message == kCloseAskedMessage) return self->closeAnswer;
    if (message == WM_SYSCOMMAND && !self->react)
        return DefWindowProcA(window, message, wParam, lParam);
    return reaction;
}

}  // namespace kz8::skinui::testkit
