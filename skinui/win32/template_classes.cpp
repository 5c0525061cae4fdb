#include "skinui/win32/template_classes.h"

#include "skinui/win32/popup_list.h"
#include "skinui/win32/template_procedure.h"
#include "skinui/win32/tooltip_window.h"

namespace kz8::skinui {

namespace {

constexpr int kTemplateExtraBytes = 4;
const COLORREF kTipColour = RGB(244, 245, 215);

bool registerClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style,
                   int extraBytes, HBRUSH background) {
    WNDCLASSA cls{};
    cls.style = style;
    cls.lpfnWndProc = procedure;
    cls.cbWndExtra = extraBytes;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.hbrBackground = background;
    cls.lpszClassName = name;
    return RegisterClassA(&cls) != 0;
}

HBRUSH noBrush() { return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)); }

}  // namespace

bool registerTemplateClasses(HINSTANCE instance) {
    // The tip brush becomes the class's and is deleted with it.
    HBRUSH tipBrush = CreateSolidBrush(kTipColour);
    const bool registered =
        registerClass(instance, kTemplateWindowClass, templateWindowProcedure,
                      CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC, kTemplateExtraBytes,
                      noBrush()) &&
        registerClass(instance, kTipsClass, TooltipWindow::procedure, 0, 0, tipBrush) &&
        registerClass(instance, kPopupListClass, PopupList::procedure, 0, 0, noBrush());
    if (registered) return true;
    WNDCLASSA tips{};
    const bool brushTaken = GetClassInfoA(instance, kTipsClass, &tips) != 0;
    unregisterTemplateClasses(instance);  // deletes the brush it took
    if (!brushTaken && tipBrush) DeleteObject(tipBrush);
    return false;
}

void unregisterTemplateClasses(HINSTANCE instance) {
    WNDCLASSA tips{};
    HBRUSH tipBrush = GetClassInfoA(instance, kTipsClass, &tips) ? tips.hbrBackground : nullptr;
    UnregisterClassA(kTemplateWindowClass, instance);
    if (UnregisterClassA(kTipsClass, instance) && tipBrush) DeleteObject(tipBrush);
    UnregisterClassA(kPopupListClass, instance);
}

}  // namespace kz8::skinui
