// An owner window for template windows that writes down what it is told:
// every notification with the name it carries, every message passed on to
// it, and answers the close question and forwarded messages as a test says.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kz8::skinui::testkit {

struct Notice {
    UINT message = 0;
    std::string name;  // the template or control name, where one is sent
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class OwnerRecorder {
public:
    // A visible pop-up at area, or a hidden one when area is empty.
    explicit OwnerRecorder(RECT area = {});
    ~OwnerRecorder();
    OwnerRecorder(const OwnerRecorder&) = delete;
    OwnerRecorder& operator=(const OwnerRecorder&) = delete;

    HWND window() const { return window_; }
    std::vector<UINT> messages() const;
    size_t count(UINT message) const;

    std::vector<Notice> notices;
    LRESULT closeAnswer = 0;  // to WM_USER+2100
    // Called inside the send, after the notice is written down; its result
    // answers messages that are not notifications.
    std::function<LRESULT(const Notice&)> react;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
};

}  // namespace kz8::skinui::testkit
