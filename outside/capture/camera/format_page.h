// The camera pin's property page: colour space and size, applied through
// the pin's IAMStreamConfig::SetFormat (refused while the pin is connected).
#pragma once

#include "outside/capture/camera/sheet_page.h"

namespace kz8::capture::testkit {

class FormatPage : public SheetPage {
public:
    FormatPage();

protected:
    void onInit(HWND dialog) override;
    INT_PTR onMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;
    HRESULT apply() override;
};

HRESULT createFormatPage(REFIID iid, void** out);

}  // namespace kz8::capture::testkit
