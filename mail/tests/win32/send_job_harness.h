// What the Wine send tests share: where the test servers keep what they
// received, and a send job run on its worker with a send-mail window that
// notes every status text and progress position, its boxes read and closed.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/mouse_driver.h"
#include "common/testing/win32/wine_run.h"
#include "common/win32/handles.h"
#include "mail/portable/server_text.h"
#include "mail/win32/send_worker.h"

namespace kz8::mail::sendtest {

using kz8::testkit::pumpUntil;

inline std::string serversFolder() { return kz8::testkit::environmentText("KZ8_SMTP_SERVERS"); }

inline std::string readText(const std::string& path) {
    const auto bytes = kz8::testkit::readFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

// The summary the server wrote for its n-th message, once it is there.
inline std::string storedSummary(const char* server, int n, DWORD waitMilliseconds = 5000) {
    const std::string path = serversFolder() + "\\" + server + "\\" + std::to_string(n) + ".json";
    pumpUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; },
              waitMilliseconds);
    return readText(path);
}

// A send-mail window with a real status line and progress bar that note
// every text and position they are given, and whether it was asked to close.
class StatusWindow {
public:
    StatusWindow() {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&classes);
        window_ = CreateWindowExA(0, "STATIC", "send mail", WS_POPUP, 0, 0, 300, 80, nullptr,
                                  nullptr, nullptr, nullptr);
        text_ = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 300, 20, window_, nullptr, nullptr,
                                nullptr);
        bar_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 0, 30, 300, 20, window_, nullptr,
                               nullptr, nullptr);
        for (HWND each : {window_, text_, bar_}) {
            SetPropA(each, "recorder", this);
            original_ = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(each, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record)));
        }
    }
    ~StatusWindow() { DestroyWindow(window_); }
    SendStatus status() const { return {bar_, text_}; }
    HWND window() const { return window_; }
    std::vector<std::string> texts;
    std::vector<int> positions;
    bool closeAsked = false;

private:
    static LRESULT CALLBACK record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = static_cast<StatusWindow*>(GetPropA(window, "recorder"));
        if (window == self->text_ && message == WM_SETTEXT)
            self->texts.push_back(reinterpret_cast<const char*>(lParam));
        if (window == self->bar_ && message == PBM_SETPOS) self->positions.push_back(int(wParam));
        if (window == self->window_ && message == WM_CLOSE) {
            self->closeAsked = true;
            return 0;
        }
        return CallWindowProcA(self->original_, window, message, wParam, lParam);
    }
    HWND window_ = nullptr, text_ = nullptr, bar_ = nullptr;
    WNDPROC original_ = nullptr;
};

struct Sending {
    std::shared_ptr<SendJob> job = std::make_shared<SendJob>();
    StatusWindow window;
    kz8::KernelHandle thread;
    std::vector<std::string> boxes;  // texts of the message boxes, closed as they came

    explicit Sending(const char* server) {
        job->server = parseServerText(server);
        job->sender = "sev@example.com";
        job->message.from = {"", "sev@example.com"};
        job->message.subject = "A card";
        job->message.SetBody("Hello");
        job->texts = {"Cannot connect the host.\nPlease try again.", "Send failed.",
                      "Connecting...", "Sending...", "Quit."};
        job->status = window.status();
        job->sendMailWindow = window.window();
    }
    void start() { thread.reset(startSendWorker(job)); }
    // The worker's result once it has ended; message boxes are read and
    // closed meanwhile.
    DWORD finish(DWORD milliseconds = 30000) {
        HWND answered = nullptr;  // closing, and found again until it has gone
        pumpUntil(
            [&] {
                HWND box = FindWindowA("#32770", "Error");
                if (box && box != answered) {
                    char text[256] = {};
                    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                    boxes.push_back(text);
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                    answered = box;
                }
                return WaitForSingleObject(thread.get(), 0) == WAIT_OBJECT_0;
            },
            milliseconds);
        DWORD result = 1;
        GetExitCodeThread(thread.get(), &result);
        kz8::testkit::pumpMessages(50);
        return result;
    }
};

}  // namespace kz8::mail::sendtest
