// A dialog some other code shows modally on the test's thread, answered
// from a thread of its own once it is up: `act` gets its window. The
// dialog is one of class "#32770", visible, whose title contains the part
// given.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace kz8::testkit {

class DialogWatcher {
public:
    DialogWatcher(std::string titlePart, std::function<void(HWND)> act,
                  DWORD timeoutMilliseconds = 10000);
    ~DialogWatcher();  // waits for the watching thread
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // Whether the dialog came up; read after the call that showed it.
    bool seen() const { return seen_; }

private:
    static BOOL CALLBACK check(HWND window, LPARAM self);
    void run();

    std::string titlePart_;
    std::function<void(HWND)> act_;
    DWORD timeout_;
    HWND found_ = nullptr;
    bool seen_ = false;
    std::thread thread_;
};

// The first descendant of `parent` with control id `id`, at any depth.
HWND descendant(HWND parent, int id);

}  // namespace kz8::testkit
