// aol.exe: a stand-in for the AOL client (outside the system), for driving
// Email.dll's AOL delivery in tests. It shows the windows the delivery looks
// for, does what the client does when they are clicked or typed into, and
// writes down everything done to it.
//
// Environment:
//   KZ8_AOL_LOG            the log file (a Windows path), appended to
//   KZ8_AOL_VERSION        4, 5 or 6 (default 5): the recipient edit is
//                          218 x 58 for 4 and 218 x 56 otherwise
//   KZ8_AOL_NO_WRITE_MAIL  1: the toolbar never opens "Write Mail"
//
// The log, one line per event, flushed as it happens; TITLE (CLASS) names a
// window, and an "_AOL_Edit" by its name since its text is what is set:
//   start version V cmdshow N PATH acp C
//                                   the show state it was started with, the
//                                   program file that runs, its code page
//   open TITLE (CLASS)              one of its windows was created
//   show TITLE (CLASS)              it became visible (WM_SHOWWINDOW)
//   hide TITLE (CLASS)
//   close TITLE (CLASS)             it was destroyed
//   click TITLE (CLASS) W L at X,Y  an icon pressed and released: the
//                                   release's wParam and lParam in hex, and
//                                   the cursor from the icon's top-left
//   withhold Write Mail             a toolbar click while KZ8_AOL_NO_WRITE_MAIL=1
//   char W L                        WM_CHAR reaching the "Attach" edit:
//   imechar W L                     wParam in hex, lParam in decimal
//   settext NAME (_AOL_Edit) TEXT   WM_SETTEXT to an edit
//   attach TEXT                     IDOK to "Attach": the edit's text
//
// It ends when its frame is closed.
#include <windows.h>

#include <string>

#include "outside/aolfake/aol_controls.h"
#include "outside/aolfake/attach_window.h"
#include "outside/aolfake/attachments_window.h"
#include "outside/aolfake/client_settings.h"
#include "outside/aolfake/event_log.h"
#include "outside/aolfake/frame_window.h"
#include "outside/aolfake/write_mail_window.h"

namespace {

using namespace kz8::outside::aol;

bool registerClasses(HINSTANCE instance) {
    return registerControlClasses(instance) && registerFrameClasses(instance) &&
           registerWriteMailClass(instance) && registerAttachmentsClass(instance) &&
           registerAttachClass(instance);
}

int runMessageLoop() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (!registerClasses(instance)) return 1;
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, sizeof program);
    logEvent("start version " + std::to_string(clientSettings().version) + " cmdshow " +
             std::to_string(showCommand) + " " + program + " acp " + std::to_string(GetACP()));
    HWND frame = createFrame(instance);
    if (!frame) return 1;
    // Started hidden by the delivery (SW_HIDE), it stays hidden until shown.
    ShowWindow(frame, showCommand);
    return runMessageLoop();
}
