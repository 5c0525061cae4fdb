// kz8mailhost: a stand-in for the authoring application's send-mail
// window. It shows the host's "SendMail" template, lays out Email.dll's
// status line and progress bar in it, maps the template's buttons to the
// library's exports in their calling order, and prints what happens: the
// owner's notices, the status texts, the progress positions and the texts
// of message boxes. People can send a card with it; tests read its output.
//
//   kz8mailhost [--server HOST] [--from ADDRESS] [--attach FILE]
//               [--at X,Y] [--close-boxes] [--aol TO SUBJECT]
//
// With --aol it hands the attachment to the AOL client at once, with the
// recipient and subject given, forwarding its window's timer ticks to the
// library, and prints "aol N" with RunAOLEXE's result.
//
// It runs from the folder of Email.dll, Vexil2.dll and the host's "ui"
// folder, and ends when the SendMail window has gone.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <set>
#include <string>

#include "common/win32/module_function.h"
#include "mail/include/email.h"
#include "skinui/include/vexil2.h"

namespace {

constexpr UINT_PTR kBoxTimer = 1;
constexpr int kSend = 40001, kCancel = 40002, kAddressBook = 40003, kAddAddress = 40004;
constexpr RECT kStatusStrip{20, 290, 460, 308};

struct Options {
    std::string server, sender, attachment;
    int x = 40, y = 40;
    bool closeBoxes = false;
    bool aol = false;
    std::string aolRecipient, aolSubject;
};

// The exports the host calls, by the names an MSVC-built host links to.
struct EmailCalls {
    decltype(&OnInitDialog) initDialog = nullptr;
    decltype(&OnSetSendServer) setServer = nullptr;
    decltype(&OnSetSendFrom) setSender = nullptr;
    decltype(&OnSetAttachFile) setAttachment = nullptr;
    decltype(&OnOK) ok = nullptr;
    decltype(&OnCancel) cancel = nullptr;
    decltype(&OnAddressBook) addressBook = nullptr;
    decltype(&OnAddAddress) addAddress = nullptr;
    decltype(&SetSendToAddr) setAolRecipient = nullptr;
    decltype(&SetSubject) setAolSubject = nullptr;
    decltype(&RunAOLEXE) runAol = nullptr;
    decltype(&TimeCheckAOL) aolTick = nullptr;
};

// What the window procedures need: the one host of the process.
struct Host {
    Options options;
    EmailCalls email;
    WNDPROC statusProcedure = nullptr, barProcedure = nullptr;
    std::set<HWND> boxesSeen;
};

Host& host() {
    static Host theHost;
    return theHost;
}

void print(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

template <typename Function>
bool bind(HMODULE module, const char* name64, const char* name32, Function& function) {
#ifdef _WIN64
    const char* name = name64;
    (void)name32;
#else
    const char* name = name32;
    (void)name64;
#endif
    function = kz8::moduleFunction<Function>(module, name);
    return function != nullptr;
}

bool loadEmail(EmailCalls& calls) {
    HMODULE email = LoadLibraryA("Email.dll");
    return email &&
           bind(email, "?OnInitDialog@@YAXAEAUtagRECT@@PEAUHWND__@@@Z",
                "?OnInitDialog@@YAXAAUtagRECT@@PAUHWND__@@@Z", calls.initDialog) &&
           bind(email, "?OnSetSendServer@@YAXPEAD@Z", "?OnSetSendServer@@YAXPAD@Z",
                calls.setServer) &&
           bind(email, "?OnSetSendFrom@@YAXPEAD@Z", "?OnSetSendFrom@@YAXPAD@Z", calls.setSender) &&
           bind(email, "?OnSetAttachFile@@YAXPEAD@Z", "?OnSetAttachFile@@YAXPAD@Z",
                calls.setAttachment) &&
           bind(email, "?OnOK@@YAXXZ", "?OnOK@@YAXXZ", calls.ok) &&
           bind(email, "?OnCancel@@YAXXZ", "?OnCancel@@YAXXZ", calls.cancel) &&
           bind(email, "?OnAddressBook@@YAXXZ", "?OnAddressBook@@YAXXZ", calls.addressBook) &&
           bind(email, "?OnAddAddress@@YAXXZ", "?OnAddAddress@@YAXXZ", calls.addAddress) &&
           bind(email, "?SetSendToAddr@@YAXPEAD@Z", "?SetSendToAddr@@YAXPAD@Z",
                calls.setAolRecipient) &&
           bind(email, "?SetSubject@@YAXPEAD@Z", "?SetSubject@@YAXPAD@Z", calls.setAolSubject) &&
           bind(email, "?RunAOLEXE@@YAHPEAUHWND__@@PEAD1@Z", "?RunAOLEXE@@YAHPAUHWND__@@PAD1@Z",
                calls.runAol) &&
           bind(email, "?TimeCheckAOL@@YAXI@Z", "?TimeCheckAOL@@YAXI@Z", calls.aolTick);
}

LRESULT CALLBACK statusProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT)
        print(std::string("status ") + reinterpret_cast<const char*>(lParam));
    return CallWindowProcA(host().statusProcedure, window, message, wParam, lParam);
}

LRESULT CALLBACK barProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == PBM_SETPOS) print("progress " + std::to_string(wParam));
    return CallWindowProcA(host().barProcedure, window, message, wParam, lParam);
}

// Message boxes of any of the process's threads, printed once each.
BOOL CALLBACK noteBox(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char cls[16] = {};
    GetClassNameA(window, cls, sizeof cls);
    HWND text = GetDlgItem(window, 0xFFFF);
    if (process != GetCurrentProcessId() || std::string(cls) != "#32770" || !text ||
        !IsWindowVisible(window) || !host().boxesSeen.insert(window).second)
        return TRUE;
    char shown[512] = {};
    GetWindowTextA(text, shown, sizeof shown);
    print(std::string("box ") + shown);
    if (host().options.closeBoxes) PostMessageA(window, WM_COMMAND, IDOK, 0);
    return TRUE;
}

void onCommand(WPARAM command) {
    const EmailCalls& email = host().email;
    switch (command) {
        case kSend: email.ok(); break;
        case kCancel: email.cancel(); break;  // the button closes the window after
        case kAddressBook: email.addressBook(); break;
        case kAddAddress: email.addAddress(); break;
        default: break;
    }
}

LRESULT CALLBACK ownerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= vexil2::kTemplateShown && message <= vexil2::kFocusLost && wParam &&
        message != vexil2::kNoCurrentTemplate)
        print(std::to_string(message) + " " + reinterpret_cast<const char*>(wParam));
    switch (message) {
        case WM_COMMAND:
            print("command " + std::to_string(wParam));
            onCommand(wParam);
            return 0;
        case WM_TIMER:
            // Every other tick is the library's, as a host forwards them.
            if (wParam == kBoxTimer)
                EnumWindows(noteBox, 0);
            else
                host().email.aolTick(unsigned(wParam));
            return 0;
        case vexil2::kTemplateDestroyed:
            if (lstrcmpiA(reinterpret_cast<const char*>(wParam), "SendMail") == 0)
                PostQuitMessage(0);
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool value = i + 1 < argc;
        if (arg == "--server" && value)
            options.server = argv[++i];
        else if (arg == "--from" && value)
            options.sender = argv[++i];
        else if (arg == "--attach" && value)
            options.attachment = argv[++i];
        else if (arg == "--at" && value) {
            if (std::sscanf(argv[++i], "%d,%d", &options.x, &options.y) != 2) return false;
        } else if (arg == "--close-boxes") {
            options.closeBoxes = true;
        } else if (arg == "--aol" && i + 2 < argc) {
            options.aol = true;
            options.aolRecipient = argv[++i];
            options.aolSubject = argv[++i];
        } else
            return false;
    }
    return true;
}

HWND makeOwner() {
    WNDCLASSA cls{};
    cls.lpfnWndProc = ownerProcedure;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "KZ8MailHost";
    RegisterClassA(&cls);
    return CreateWindowExA(0, cls.lpszClassName, "kz8mailhost", WS_POPUP, 0, 0, 10, 10, nullptr,
                           nullptr, cls.hInstance, nullptr);
}

std::string programFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string file = path;
    return file.substr(0, file.find_last_of('\\'));
}

void watch(HWND control, WNDPROC procedure, WNDPROC& original) {
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

}  // namespace

int main(int argc, char** argv) {
    Host& theHost = host();
    if (!parseOptions(argc, argv, theHost.options)) {
        std::fprintf(stderr,
                     "usage: kz8mailhost [--server HOST] [--from ADDRESS] "
                     "[--attach FILE] [--at X,Y] [--close-boxes] [--aol TO SUBJECT]\n");
        return 2;
    }
    auto init =
        kz8::moduleFunction<decltype(&Vexil_Init)>(GetModuleHandleA("Vexil2.dll"), "Vexil_Init");
    if (!init || !init() || !loadEmail(theHost.email)) {
        std::fprintf(stderr, "kz8mailhost: Vexil2.dll or Email.dll is missing or incomplete\n");
        return 1;
    }
    HWND owner = makeOwner();
    std::string path = programFolder() + "\\ui\\SendMail.DTP";
    if (Vexil_Create(owner, WS_POPUP, path.data(), theHost.options.x, theHost.options.y, 0) != 1) {
        std::fprintf(stderr, "kz8mailhost: %s cannot be shown\n", path.c_str());
        return 1;
    }
    HWND sendMail = Vexil_GetTemplateHWND("SendMail");
    RECT strip = kStatusStrip;
    const EmailCalls& email = theHost.email;
    email.initDialog(strip, sendMail);
    watch(GetDlgItem(sendMail, 0xFFFF), statusProcedure, theHost.statusProcedure);
    watch(GetDlgItem(sendMail, 1700), barProcedure, theHost.barProcedure);
    email.setServer(theHost.options.server.data());
    email.setSender(theHost.options.sender.data());
    email.setAttachment(theHost.options.attachment.data());
    SetTimer(owner, kBoxTimer, 100, nullptr);
    if (theHost.options.aol) {
        email.setAolRecipient(theHost.options.aolRecipient.data());
        email.setAolSubject(theHost.options.aolSubject.data());
        print("aol " +
              std::to_string(email.runAol(owner, theHost.options.attachment.data(), nullptr)));
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The window has gone: the host lets go of the send as it closes.
    email.cancel();
    DestroyWindow(owner);
    return 0;
}
