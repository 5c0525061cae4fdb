#include "outside/capture/camera/sheet_page.h"

#include <commctrl.h>

namespace kz8::capture::testkit {

namespace {
constexpr UINT_PTR kSubclassId = 1;
}

// The listener goes before the page does.
SheetPage::~SheetPage() { stopListening(); }

STDMETHODIMP SheetPage::Activate(HWND parent, LPCRECT rect, BOOL modal) {
    HRESULT activated = PropertyPage::Activate(parent, rect, modal);
    if (SUCCEEDED(activated) && parent &&
        SetWindowSubclass(parent, parentProcedure, kSubclassId,
                          reinterpret_cast<DWORD_PTR>(this))) {
        parent_ = parent;
    }
    return activated;
}

STDMETHODIMP SheetPage::Deactivate() {
    stopListening();
    return PropertyPage::Deactivate();
}

void SheetPage::stopListening() {
    if (parent_) RemoveWindowSubclass(parent_, parentProcedure, kSubclassId);
    parent_ = nullptr;
}

LRESULT CALLBACK SheetPage::parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR page) {
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY) {
        reinterpret_cast<SheetPage*>(page)->Apply();
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace kz8::capture::testkit
