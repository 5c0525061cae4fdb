// vexilview: shows a skin template the way a host does, through the
// library's exported functions, and prints one line per notification its
// owner receives, so that template authors can try their skins and tests
// can follow what a host would hear.
//
//   vexilview [--at X,Y | --centre] [--child] [--refuse-close]
//             [--dll PATH] [--set EDIT=TEXT]... [--disable NAME]... FILE.dtp
//
// --child reads the file as a text and shows it inside the viewer's window;
// a text's file names are taken from the library's folder then.
// --refuse-close answers every close question with "keep open". --dll
// loads that Vexil2.dll and calls it as the mail library does, the seven
// functions it imports by number through their ordinals; without it the
// viewer calls the same functions linked in. --set fills an edit box once
// the template is shown, and every close question prints "text EDIT TEXT"
// for it as the edit box holds it then; --disable disables a control or
// template. Exit status 0 once no template is left, 1 when it cannot load.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// After windows.h, which they need.
#include "common/win32/module_function.h"
#include "skinui/include/vexil2.h"
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/template_library.h"

namespace {

using namespace kz8::skinui;

// The exports the viewer calls, linked in or bound from a loaded DLL.
struct Vexil2Calls {
    decltype(&Vexil_Init) init = nullptr;
    decltype(&Vexil_Create) create = nullptr;
    decltype(&Vexil_CreateCtrl) createCtrl = nullptr;
    decltype(&Vexil_GetTemplateNumber) templateNumber = nullptr;
    decltype(&Vexil_GetEditText) getEditText = nullptr;
    decltype(&Vexil_SetEditText) setEditText = nullptr;
    decltype(&Vexil_EnableWindow) enableWindow = nullptr;
    decltype(&Vexil_GetTemplateHWND) templateWindow = nullptr;
    decltype(&Vexil_GetCurrentTemplateName) currentName = nullptr;
    decltype(&Vexil_SetActiveTemplate) setActive = nullptr;
};

Vexil2Calls linkedCalls() {
    return {&Vexil_Init,
            &Vexil_Create,
            &Vexil_CreateCtrl,
            &Vexil_GetTemplateNumber,
            &Vexil_GetEditText,
            &Vexil_SetEditText,
            &Vexil_EnableWindow,
            &Vexil_GetTemplateHWND,
            &Vexil_GetCurrentTemplateName,
            &Vexil_SetActiveTemplate};
}

template <typename Function>
bool bind(HMODULE module, const char* name, Function& function) {
    function = kz8::moduleFunction<Function>(module, name);
    return function != nullptr;
}

template <typename Function>
bool bind(HMODULE module, int ordinal, Function& function) {
    return bind(module, MAKEINTRESOURCEA(ordinal), function);
}

bool loadedCalls(const std::string& path, Vexil2Calls& calls) {
    HMODULE module = LoadLibraryA(path.c_str());  // for the life of the viewer
    return module && bind(module, "Vexil_Init", calls.init) &&
           bind(module, "Vexil_CreateCtrl", calls.createCtrl) &&
           bind(module, "Vexil_GetTemplateNumber", calls.templateNumber) &&
           bind(module, vexil2::kCreate, calls.create) &&
           bind(module, vexil2::kGetEditText, calls.getEditText) &&
           bind(module, vexil2::kSetEditText, calls.setEditText) &&
           bind(module, vexil2::kEnableWindow, calls.enableWindow) &&
           bind(module, vexil2::kGetTemplateHwnd, calls.templateWindow) &&
           bind(module, vexil2::kGetCurrentTemplateName, calls.currentName) &&
           bind(module, vexil2::kSetActiveTemplate, calls.setActive);
}

struct Options {
    std::string file;
    std::string dll;
    int x = 0, y = 0;
    int placement = 1;
    bool child = false;
    bool refuseClose = false;
    std::vector<std::pair<std::string, std::string>> edits;  // --set
    std::vector<std::string> disabled;
};

// What the owner window's procedure needs, kept in its user data.
struct Viewer {
    Options options;
    Vexil2Calls calls;
};

bool parseSet(const std::string& value, Options& options) {
    const size_t equals = value.find('=');
    if (equals == std::string::npos || equals == 0) return false;
    options.edits.emplace_back(value.substr(0, equals), value.substr(equals + 1));
    return true;
}

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--at" && hasValue) {
            if (std::sscanf(argv[++i], "%d,%d", &options.x, &options.y) != 2) return false;
            options.placement = 0;
        } else if (arg == "--centre") {
            options.placement = 1;
        } else if (arg == "--child") {
            options.child = true;
        } else if (arg == "--refuse-close") {
            options.refuseClose = true;
        } else if (arg == "--dll" && hasValue) {
            options.dll = argv[++i];
        } else if (arg == "--set" && hasValue) {
            if (!parseSet(argv[++i], options)) return false;
        } else if (arg == "--disable" && hasValue) {
            options.disabled.push_back(argv[++i]);
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

void print(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// The edit boxes given with --set, as the template asking to close holds them.
void printEditTexts(const Viewer& viewer, const char* templateName) {
    if (viewer.options.edits.empty() || !viewer.calls.setActive(templateName)) return;
    for (const auto& [edit, ignored] : viewer.options.edits) {
        char text[vexil2::kComboTextBufferBytes] = {};
        if (viewer.calls.getEditText(edit.c_str(), text, int(sizeof text)))
            print("text " + edit + " " + text);
    }
}

// One close for each open template; one that refuses stays current and is
// asked again, which it refuses again.
void closeEveryTemplate(const Vexil2Calls& calls) {
    for (int open = calls.templateNumber(); open > 0; --open) {
        const char* name = calls.currentName();
        HWND window = name ? calls.templateWindow(name) : nullptr;
        if (window) SendMessageA(window, WM_CLOSE, 0, 0);
    }
}

LRESULT CALLBACK ownerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::string line = noticeLine(message, wParam, lParam);
    if (!line.empty()) print(line);
    const auto* viewer = reinterpret_cast<const Viewer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
        case kCloseAskedMessage:
            printEditTexts(*viewer, reinterpret_cast<const char*>(wParam));
            return viewer->options.refuseClose ? 1 : 0;
        case kNoCurrentTemplateMessage: PostQuitMessage(0); return 0;
        case WM_CLOSE:  // the viewer's own close, or Alt+F4 passed on by a template
            closeEveryTemplate(viewer->calls);
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND makeOwner(bool visible, Viewer& viewer) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = ownerProcedure;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = "VexilViewOwner";
    RegisterClassA(&cls);
    HWND owner = CreateWindowExA(
        0, cls.lpszClassName, "vexilview", visible ? WS_OVERLAPPEDWINDOW | WS_VISIBLE : WS_POPUP,
        CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, nullptr, nullptr, cls.hInstance, nullptr);
    SetWindowLongPtrA(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&viewer));
    return owner;
}

bool readText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}

// The linked library keeps its error text; a loaded one keeps it to itself.
void reportLoadFailure(const Viewer& viewer) {
    if (viewer.options.dll.empty())
        std::fprintf(stderr, "%s\n", TemplateLibrary::instance().lastErrorText.c_str());
    else
        std::fprintf(stderr, "vexilview: %s cannot be shown\n", viewer.options.file.c_str());
}

bool show(Viewer& viewer, HWND owner) {
    const Options& options = viewer.options;
    std::string text = options.file;
    if (options.child) {
        if (!readText(options.file, text)) {
            std::fprintf(stderr, "vexilview: cannot read %s\n", options.file.c_str());
            return false;
        }
        if (viewer.calls.createCtrl(owner, owner, text.data(), options.x, options.y)) return true;
    } else if (viewer.calls.create(owner, WS_POPUP, text.data(), options.x, options.y,
                                   options.placement)) {
        return true;
    }
    reportLoadFailure(viewer);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    Viewer viewer;
    if (!parseOptions(argc, argv, viewer.options)) {
        std::fprintf(stderr,
                     "usage: vexilview [--at X,Y | --centre] [--child] [--refuse-close] "
                     "[--dll PATH] [--set EDIT=TEXT]... [--disable NAME]... FILE.dtp\n");
        return 2;
    }
    viewer.calls = linkedCalls();
    if (!viewer.options.dll.empty() && !loadedCalls(viewer.options.dll, viewer.calls)) {
        std::fprintf(stderr, "vexilview: %s is not a template library\n",
                     viewer.options.dll.c_str());
        return 1;
    }
    if (!viewer.calls.init()) {
        std::fprintf(stderr, "vexilview: the window classes cannot be registered\n");
        return 1;
    }
    HWND owner = makeOwner(viewer.options.child, viewer);
    if (!show(viewer, owner)) return 1;
    for (const auto& [edit, text] : viewer.options.edits)
        viewer.calls.setEditText(edit.c_str(), text.c_str());
    for (const std::string& name : viewer.options.disabled)
        viewer.calls.enableWindow(name.c_str(), 0);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(owner);
    return 0;
}
