#include "skinui/win32/template_creation.h"

#include <memory>

#include "skinui/win32/album_library.h"
#include "skinui/win32/control_creation.h"
#include "skinui/win32/owner_messages.h"
#include "skinui/win32/template_classes.h"
#include "skinui/win32/template_library.h"
#include "skinui/win32/template_loading.h"

namespace kz8::skinui {

namespace {

constexpr int kPlacementCentred = 1;

struct Creation {
    HWND parent = nullptr;
    HWND owner = nullptr;
    DWORD style = 0;
    Point at;
    int placement = 0;
    bool announce = false;  // WM_USER+2000 and an immediate update
};

// Centred on the parent's client area, which for a pop-up means its place
// on the screen; a child's client coordinates are right as they are.
Point centredPosition(HWND parent, DWORD style, int width, int height) {
    RECT area{};
    if (parent && GetClientRect(parent, &area) && !IsRectEmpty(&area)) {
        if (!(style & WS_CHILD))
            MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
        return Point{(area.left + area.right) / 2 - width / 2,
                     (area.top + area.bottom) / 2 - height / 2};
    }
    return Point{GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2,
                 GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2};
}

HWND openLoaded(LoadResult loaded, const Creation& how) {
    TemplateLibrary& library = TemplateLibrary::instance();
    if (!loaded.loaded) {
        library.lastErrorText = loaded.error.text();
        return nullptr;
    }
    const DibView background = loaded.loaded->background->view();
    const int width = int(background.width()), height = int(background.height());
    auto window = std::make_unique<TemplateWindow>(std::move(loaded.loaded));
    const Point at = how.placement == kPlacementCentred
                         ? centredPosition(how.parent, how.style, width, height)
                         : how.at;

    library.setCreationDone(false);
    HWND hwnd = CreateWindowExA(WS_EX_LEFT, kTemplateWindowClass, "Template Window",
                                how.style | WS_VISIBLE, at.x, at.y, width, height, how.parent,
                                nullptr, library.moduleInstance(), window.get());
    // Whatever happened, other template windows must not stay deaf.
    library.setCreationDone(true);
    if (!hwnd || window->closed()) {
        if (hwnd) DestroyWindow(hwnd);
        return nullptr;
    }
    window->owner = how.owner;
    window->style = how.style;
    window->position = at;
    runCreationStep(*window);
    if (window->closed()) return nullptr;  // its owner destroyed it meanwhile
    ShowWindow(hwnd, SW_SHOW);
    if (how.announce) UpdateWindow(hwnd);

    TemplateWindow& added = *window;
    library.add(std::move(window));
    if (how.announce) {
        HandlerScope alive(added);
        SendMessageA(how.parent, kTemplateShownMessage, reinterpret_cast<WPARAM>(added.name()), 0);
    }
    return hwnd;
}

}  // namespace

HWND openTemplateWindow(HWND parent, DWORD style, const std::string& path, int x, int y,
                        int placement) {
    Creation how;
    how.parent = how.owner = parent;
    how.style = style;
    how.at = Point{x, y};
    how.placement = placement;
    how.announce = true;
    return openLoaded(loadTemplateFile(path.c_str(), albumTemplateSources()), how);
}

HWND openChildTemplate(HWND parent, HWND owner, const char* text, int x, int y) {
    Creation how;
    how.parent = parent;
    how.owner = owner;
    how.style = WS_CHILD;
    how.at = Point{x, y};
    return openLoaded(loadTemplateFromText(text, albumTemplateSources()), how);
}

}  // namespace kz8::skinui
