// Closes the message boxes of this thread while it runs a modal loop,
// where a test cannot act, and keeps their texts: the box's text is its
// static of id 0xFFFF.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kz8::testkit {

class MessageBoxAnswerer {
public:
    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    std::vector<std::string> texts;

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD);
    static BOOL CALLBACK answer(HWND window, LPARAM);
    UINT_PTR timer_ = 0;
};

// The text of a box another thread shows, once one is up, closed at once;
// empty when none came within the time.
std::string answerMessageBox(DWORD milliseconds);

}  // namespace kz8::testkit
