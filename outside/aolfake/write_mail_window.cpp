#include "outside/aolfake/write_mail_window.h"

#include <string>
#include <vector>

#include "outside/aolfake/aol_controls.h"
#include "outside/aolfake/attachments_window.h"
#include "outside/aolfake/client_settings.h"
#include "outside/aolfake/event_log.h"
#include "outside/aolfake/window_support.h"

namespace kz8::outside::aol {
namespace {

constexpr DWORD kStyle = WS_CHILD | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr SIZE kClientSize{730, 352};
constexpr int kWriteMailId = 10;

enum ControlId : int {
    kSendLater = 1,
    kBanner,
    kCc,
    kTo,
    kBcc,
    kSubject,
    kMessage,
    kAddressBook,
    kAttachments,
    kSpellCheck,
    kSendNow,
};

// The recipient edit is 2 pixels taller in version 4; the edit of the
// other height is there to be missed.
int recipientHeight(int version) { return version == 4 ? 58 : 56; }
int otherRecipientHeight(int version) { return version == 4 ? 56 : 58; }

// Picked from the right-top corner, leftwards and downwards, each control
// sought is the left-most and lowest of its class and size, so no order of
// enumeration can pick another. The look-alikes come first, for a search
// that stops at the first match. The four 70 x 24 icons sit at the corners
// of one rectangle: each corner rule settles on its own one.
std::vector<ControlPlace> layout(int version) {
    const int to = recipientHeight(version), other = otherRecipientHeight(version);
    return {
        {kSendLater, kIconClass, "Send Later", 650, 8, 70, 24},
        {kBanner, kEditClass, "Banner", 180, 8, 452, 24},
        {kCc, kEditClass, "Cc", 414, 44, 218, to},
        {kTo, kEditClass, "To", 180, 44, 218, to},
        {kBcc, kEditClass, "Bcc", 180, 108, 218, other},
        {kSubject, kEditClass, "Subject", 180, 176, 452, 24},
        {kMessage, kEditClass, "Message", 180, 208, 452, 120},
        {kAddressBook, kIconClass, "Address Book", 90, 8, 70, 24},
        {kAttachments, kIconClass, "Attachments", 90, 320, 70, 24},
        // Further left-below, but not of the attachment icon's size.
        {kSpellCheck, kIconClass, "Spell Check", 10, 320, 64, 24},
        {kSendNow, kIconClass, "Send Now", 650, 320, 70, 24},
    };
}

LRESULT CALLBACK writeMailProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    noteShowAndClose(window, message, wParam);
    switch (message) {
        case WM_CREATE: createControls(window, layout(clientSettings().version)); return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kAttachments) openAttachments(GetParent(window));
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

bool registerWriteMailClass(HINSTANCE instance) {
    return registerWindowClass(instance, kWriteMailClass, writeMailProcedure, COLOR_BTNFACE);
}

SIZE writeMailWindowSize() {
    RECT area{0, 0, kClientSize.cx, kClientSize.cy};
    AdjustWindowRectEx(&area, kStyle, FALSE, 0);
    return SIZE{area.right - area.left, area.bottom - area.top};
}

void openWriteMail(HWND frame, POINT place) {
    if (FindWindowExA(frame, nullptr, kWriteMailClass, nullptr)) return;
    if (!clientSettings().writeMailOpens) {
        logEvent(std::string("withhold ") + kWriteMailTitle);
        return;
    }
    const SIZE size = writeMailWindowSize();
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE));
    HWND window = CreateWindowExA(
        0, kWriteMailClass, kWriteMailTitle, kStyle, place.x, place.y, size.cx, size.cy, frame,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kWriteMailId)), instance, nullptr);
    if (!window) return;
    noteOpened(window);
    revealWithFrame(window);
}

}  // namespace kz8::outside::aol
