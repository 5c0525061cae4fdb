#include "common/testing/win32/dialog_watcher.h"

#include <utility>

#include "common/testing/win32/mouse_driver.h"

namespace kz8::testkit {

DialogWatcher::DialogWatcher(std::string titlePart, std::function<void(HWND)> act,
                             DWORD timeoutMilliseconds)
    : titlePart_(std::move(titlePart)),
      act_(std::move(act)),
      timeout_(timeoutMilliseconds),
      thread_([this] { run(); }) {}

DialogWatcher::~DialogWatcher() { thread_.join(); }

BOOL CALLBACK DialogWatcher::check(HWND window, LPARAM self) {
    auto* watcher = reinterpret_cast<DialogWatcher*>(self);
    char title[128] = {}, cls[32] = {};
    GetWindowTextA(window, title, sizeof title);
    GetClassNameA(window, cls, sizeof cls);
    if (std::string(cls) == "#32770" && IsWindowVisible(window) &&
        std::string(title).find(watcher->titlePart_) != std::string::npos) {
        watcher->found_ = window;
    }
    return watcher->found_ == nullptr;
}

void DialogWatcher::run() {
    pumpUntil(
        [&] {
            EnumWindows(check, LPARAM(this));
            return found_ != nullptr;
        },
        timeout_);
    if (!found_) return;
    seen_ = true;
    // Until its WM_INITDIALOG has run on the showing thread, its controls
    // are not filled in.
    pumpMessages(300);
    act_(found_);
}

namespace {

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK matchControl(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ControlSearch*>(data);
    if (GetDlgCtrlID(window) == search->id) search->found = window;
    return search->found == nullptr;
}

}  // namespace

HWND descendant(HWND parent, int id) {
    ControlSearch search{id, nullptr};
    EnumChildWindows(parent, matchControl, LPARAM(&search));
    return search.found;
}

}  // namespace kz8::testkit
