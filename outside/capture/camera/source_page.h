// The camera filter's property page: its source setting, inverted colours,
// applied through the filter's ICameraSource.
#pragma once

#include "outside/capture/camera/sheet_page.h"

namespace kz8::capture::testkit {

class SourcePage : public SheetPage {
public:
    SourcePage();

protected:
    void onInit(HWND dialog) override;
    INT_PTR onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    HRESULT apply() override;
};

HRESULT createSourcePage(REFIID iid, void** out);

}  // namespace kz8::capture::testkit
