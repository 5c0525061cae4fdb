#include "common/testing/win32/message_box_answerer.h"

#include "common/testing/win32/mouse_driver.h"

namespace kz8::testkit {

namespace {

// One answerer at a time: the timer's procedure has no other way to it.
MessageBoxAnswerer*& activeAnswerer() {
    static MessageBoxAnswerer* answerer = nullptr;
    return answerer;
}

bool isMessageBox(HWND window) {
    char cls[16] = {};
    GetClassNameA(window, cls, sizeof cls);
    return std::string(cls) == "#32770" && IsWindowVisible(window) &&
           GetDlgItem(window, 0xFFFF) != nullptr;
}

std::string textAndClose(HWND box) {
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return text;
}

}  // namespace

MessageBoxAnswerer::MessageBoxAnswerer() {
    activeAnswerer() = this;
    timer_ = SetTimer(nullptr, 0, 100, tick);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    KillTimer(nullptr, timer_);
    activeAnswerer() = nullptr;
}

void CALLBACK MessageBoxAnswerer::tick(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), answer, 0);
}

BOOL CALLBACK MessageBoxAnswerer::answer(HWND window, LPARAM) {
    if (activeAnswerer() && isMessageBox(window))
        activeAnswerer()->texts.push_back(textAndClose(window));
    return TRUE;
}

std::string answerMessageBox(DWORD milliseconds) {
    HWND box = nullptr;
    pumpUntil(
        [&] {
            box = FindWindowA("#32770", nullptr);
            return box && isMessageBox(box);
        },
        milliseconds);
    return box && isMessageBox(box) ? textAndClose(box) : std::string();
}

}  // namespace kz8::testkit
