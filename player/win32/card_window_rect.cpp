#include "player/win32/card_window_rect.h"

#include "common/win32/win32_rect.h"
#include "player/portable/card_rect.h"

namespace kz8::player {

BOOL GetCardRect(HWND window, RECT* rect) {
    if (!rect) return FALSE;
    RECT client{};
    GetClientRect(window, &client);
    *rect = toRECT(cardRectInClient(client.right, client.bottom));
    return TRUE;
}

}  // namespace kz8::player
