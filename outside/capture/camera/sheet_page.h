// A property page that applies itself when the sheet around it applies
// (OK or Apply). Wine's OleCreatePropertyFrame never calls
// IPropertyPage::Apply: it only activates and deactivates its pages. So the
// page listens on its parent, the sheet's page window, for PSN_APPLY; where
// the frame does call Apply (Windows) it then finds the page clean. Cancel
// applies nothing, either way.
#pragma once

#include <windows.h>

#include "common/directshow/win32/property_page.h"

namespace kz8::capture::testkit {

class SheetPage : public directshow::PropertyPage {
public:
    using PropertyPage::PropertyPage;
    ~SheetPage() override;

    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    STDMETHODIMP Deactivate() override;

private:
    static LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR page);
    void stopListening();

    HWND parent_ = nullptr;
};

}  // namespace kz8::capture::testkit
