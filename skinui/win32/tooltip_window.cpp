#include "skinui/win32/tooltip_window.h"

#include <vector>

#include "skinui/portable/tooltip_layout.h"
#include "skinui/win32/template_classes.h"
#include "skinui/win32/template_library.h"
#include "skinui/win32/template_loading.h"

namespace kz8::skinui {

namespace {

constexpr int kTipFontHeight = -11;
constexpr int kTipFontWeight = 350;

Font tipFont(uint8_t charSet) {
    return Font(CreateFontA(kTipFontHeight, 0, 0, 0, kTipFontWeight, FALSE, FALSE, FALSE, charSet,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, "Tahoma"));
}

int textWidth(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), int(text.size()), &size);
    return size.cx;
}

struct TipText {
    std::string joined;
    Rect size;
};

// Lines and size measured with the tip's own font.
TipText layOut(HFONT font, const std::string& text) {
    WindowDc screen(nullptr);
    SelectionGuard selected(screen.get(), font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.get(), &metrics);
    const std::vector<std::string> lines =
        breakTipText(text, textWidth(screen.get(), text),
                     metrics.tmHeight + metrics.tmExternalLeading, isHostLeadByte);
    std::vector<int> widths;
    TipText result;
    for (const std::string& line : lines) {
        widths.push_back(textWidth(screen.get(), line));
        if (!result.joined.empty()) result.joined += "\r\n";
        result.joined += line;
    }
    result.size = tipSize(widths, TipMetrics{metrics.tmHeight, metrics.tmExternalLeading});
    return result;
}

}  // namespace

TooltipWindow::TooltipWindow(Font font, std::string text)
    : font_(std::move(font)), text_(std::move(text)) {
    TemplateLibrary::instance().objectCreated();
}

TooltipWindow::~TooltipWindow() {
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    TemplateLibrary::instance().objectDestroyed();
}

std::unique_ptr<TooltipWindow> TooltipWindow::show(HWND templateWindow, Point buttonCentre,
                                                   const std::string& text) {
    TemplateLibrary& library = TemplateLibrary::instance();
    Font font = tipFont(library.charSet());
    if (!font) return nullptr;
    TipText laidOut = layOut(font.get(), text);
    std::unique_ptr<TooltipWindow> tip(new TooltipWindow(std::move(font), laidOut.joined));

    RECT client{};
    GetClientRect(templateWindow, &client);
    const int width = laidOut.size.width(), height = laidOut.size.height();
    const Point corner = placeTip(buttonCentre, width, height, client.right, client.bottom);
    POINT onScreen{corner.x, corner.y};
    ClientToScreen(templateWindow, &onScreen);
    const Rect textArea =
        tipTextRect(width, height, isEastAsianLanguage(library.languageName()), text);
    tip->textRect_ = RECT{textArea.left, textArea.top, textArea.right, textArea.bottom};

    // Owned by the template window (not its child): it goes with it.
    tip->window_ =
        CreateWindowExA(0, kTipsClass, "ShowTip", WS_POPUP | WS_BORDER, onScreen.x, onScreen.y,
                        width, height, templateWindow, nullptr, library.moduleInstance(), nullptr);
    if (!tip->window_) return nullptr;
    SetWindowLongPtrA(tip->window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(tip.get()));
    ShowWindow(tip->window_, SW_SHOWNOACTIVATE);
    SetWindowPos(tip->window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    WindowDc dc(tip->window_);
    tip->drawText(dc.get(), DT_CENTER);
    // Showing erased the window already; the paint still pending would draw
    // the text again, left-aligned, over the centred text.
    ValidateRect(tip->window_, nullptr);
    return tip;
}

void TooltipWindow::drawText(HDC dc, UINT alignment) const {
    SelectionGuard selected(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT area = textRect_;
    DrawTextA(dc, text_.c_str(), int(text_.size()), &area, alignment);
}

LRESULT CALLBACK TooltipWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    PaintDc paint(window);
    const auto* tip = reinterpret_cast<TooltipWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (tip) tip->drawText(paint.get(), DT_LEFT);
    return 0;
}

}  // namespace kz8::skinui
