// Kinetta: the card player. The card is appended to this very program; it
// is unpacked, shown full screen and played until the recipient closes it.
#include <windows.h>

#include "kinetta/win32/dll_search.h"
#include "kinetta/win32/player_program.h"
#include "kinetta/win32/player_window.h"
#include "player/win32/card_extraction.h"
#include "player/win32/player_state.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    kz8::player::restrictDllSearchToSystemFolder();
    kz8::player::playerProgram().instance = instance;
    kz8::player::setPlayerInstance(instance);
    // A bad card has already been reported to the recipient.
    if (!kz8::player::ExtractCardPackage()) return 0;
    if (!kz8::player::CreatePlayerWindow(instance)) {
        kz8::player::releasePlayerMedia(kz8::player::playerState());
        return 0;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return int(message.wParam);
}
