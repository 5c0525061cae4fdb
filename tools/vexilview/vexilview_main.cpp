// vexilview: shows a skin template the way the library does for a host, and
// prints one line per notification its owner receives, so that template
// authors can try their skins and tests can follow what a host would hear.
//
//   vexilview [--at X,Y | --centre] [--child] [--refuse-close] FILE.dtp
//
// --child reads the file as a text and shows it inside the viewer's window;
// a text's file names are taken from the viewer's own folder then, as the
// library does for texts. --refuse-close answers every close question with
// "keep open". Exit status 0 once no template is left, 1 when it cannot load.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

// After windows.h, which they need.
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/template_creation.h"
#include "skinui/win32/template_library.h"

namespace {

using namespace kz8::skinui;

struct Options {
    std::string file;
    int x = 0, y = 0;
    int placement = 1;
    bool child = false;
    bool refuseClose = false;
};

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--at" && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%d,%d", &options.x, &options.y) != 2) return false;
            options.placement = 0;
        } else if (arg == "--centre") {
            options.placement = 1;
        } else if (arg == "--child") {
            options.child = true;
        } else if (arg == "--refuse-close") {
            options.refuseClose = true;
        } else if (!arg.empty() && arg[0] != '-' && options.file.empty()) {
            options.file = arg;
        } else {
            return false;
        }
    }
    return !options.file.empty();
}

bool carriesText(UINT message) {
    return message == kEditChangedMessage || message == kEditLeftMessage ||
           message == kComboChosenMessage || message == kComboChoosingMessage;
}

bool carriesNumber(UINT message) {
    return message == kScrollSetMessage || message == kScrollChangedMessage ||
           message == kCheckClickedMessage || message == kRadioCheckedMessage;
}

// "3106 Main 120,45", "273 12", "3044 Main_Edit_Name text"; empty for
// messages that are not notifications.
std::string noticeLine(UINT message, WPARAM wParam, LPARAM lParam) {
    std::ostringstream line;
    line << message;
    if (message == WM_COMMAND) return line.str() + " " + std::to_string(wParam);
    if (message < kTemplateShownMessage || message > kFocusLostMessage) return {};
    if (message == kNoCurrentTemplateMessage) return line.str();
    if (wParam) line << ' ' << reinterpret_cast<const char*>(wParam);
    if (message == kTemplatePressedMessage)
        line << ' ' << short(LOWORD(lParam)) << ',' << short(HIWORD(lParam));
    if (carriesNumber(message)) line << ' ' << lParam;
    if (carriesText(message) && lParam) line << ' ' << reinterpret_cast<const char*>(lParam);
    return line.str();
}

void closeEveryTemplate() {
    std::vector<HWND> open;
    for (const auto& each : TemplateLibrary::instance().templates()) open.push_back(each->window);
    for (HWND window : open)
        if (IsWindow(window)) SendMessageA(window, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK ownerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::string line = noticeLine(message, wParam, lParam);
    if (!line.empty()) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    switch (message) {
        case kCloseAskedMessage:  // the viewer keeps its --refuse-close in its user data
            return GetWindowLongPtrA(window, GWLP_USERDATA);
        case kNoCurrentTemplateMessage: PostQuitMessage(0); return 0;
        case WM_CLOSE:  // the viewer's own close, or Alt+F4 passed on by a template
            closeEveryTemplate();
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND makeOwner(bool visible) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = ownerProcedure;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = "VexilViewOwner";
    RegisterClassA(&cls);
    return CreateWindowExA(0, cls.lpszClassName, "vexilview",
                           visible ? WS_OVERLAPPEDWINDOW | WS_VISIBLE : WS_POPUP, CW_USEDEFAULT,
                           CW_USEDEFAULT, 800, 600, nullptr, nullptr, cls.hInstance, nullptr);
}

bool readText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(
            stderr, "usage: vexilview [--at X,Y | --centre] [--child] [--refuse-close] FILE.dtp\n");
        return 2;
    }
    TemplateLibrary& library = TemplateLibrary::instance();
    if (!library.initialise()) {
        std::fprintf(stderr, "vexilview: the window classes cannot be registered\n");
        return 1;
    }
    HWND owner = makeOwner(options.child);
    SetWindowLongPtrA(owner, GWLP_USERDATA, options.refuseClose ? 1 : 0);
    HWND shown = nullptr;
    if (options.child) {
        std::string text;
        if (!readText(options.file, text)) {
            std::fprintf(stderr, "vexilview: cannot read %s\n", options.file.c_str());
            return 1;
        }
        shown = openChildTemplate(owner, owner, text.c_str(), options.x, options.y);
    } else {
        shown = openTemplateWindow(owner, WS_POPUP, options.file, options.x, options.y,
                                   options.placement);
    }
    if (!shown) {
        std::fprintf(stderr, "%s\n", library.lastErrorText.c_str());
        return 1;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(owner);
    return 0;
}
