#include "player/win32/card_print_job.h"

#include <cstring>

#include "common/win32/global_dib.h"
#include "common/win32/handles.h"
#include "player/portable/print_layout.h"
#include "player/win32/player_state.h"
#include "player/win32/player_strings.h"

namespace kz8::player {
namespace {

PrintDialogFunction gPrintDialog = nullptr;

constexpr int kDocumentNameSize = 64;
constexpr int kColourOnColour = COLORONCOLOR;  // stretch mode 3

// One of the three names in a DEVNAMES block, checked against the block's
// size since the offsets come from the printing system.
const char* devNamesText(const GlobalLockGuard& names, WORD offset) {
    if (offset >= names.size()) return nullptr;
    const char* text = reinterpret_cast<const char*>(names.bytes()) + offset;
    return std::memchr(text, 0, names.size() - offset) ? text : nullptr;
}

}  // namespace

void setPrintDialogFunction(PrintDialogFunction function) { gPrintDialog = function; }

CardPrintJob::CardPrintJob() : printDialog_{}, pageWidth_(0), pageHeight_(0) {}

CardPrintJob::~CardPrintJob() = default;

BOOL CardPrintJob::PrepareCopies(HGLOBAL backPicture, HGLOBAL frontPicture) {
    topCopy_.reset(RotateDib180(backPicture));
    bottomCopy_.reset(RotateDib180(frontPicture));
    if (!topCopy_ || !bottomCopy_) return FALSE;
    return QueryPageSize();
}

HDC CardPrintJob::GetPrinterDC() {
    if (!printDialog_.hDevNames) {
        // The structure's size differs between 32 and 64 bits.
        printDialog_.lStructSize = sizeof printDialog_;
        printDialog_.Flags = PD_RETURNDEFAULT;
        (gPrintDialog ? gPrintDialog : PrintDlgA)(&printDialog_);
        devMode_.reset(printDialog_.hDevMode);
        devNames_.reset(printDialog_.hDevNames);
    }
    if (!printDialog_.hDevNames) return nullptr;
    GlobalLockGuard names(printDialog_.hDevNames);
    GlobalLockGuard mode(printDialog_.hDevMode);  // may be absent
    if (!names || names.size() < sizeof(DEVNAMES)) return nullptr;
    const auto* devNames = reinterpret_cast<const DEVNAMES*>(names.bytes());
    const char* driver = devNamesText(names, devNames->wDriverOffset);
    const char* device = devNamesText(names, devNames->wDeviceOffset);
    const char* output = devNamesText(names, devNames->wOutputOffset);
    if (!driver || !device) return nullptr;
    return CreateDCA(driver, device, output, reinterpret_cast<const DEVMODEA*>(mode.bytes()));
}

BOOL CardPrintJob::QueryPageSize() {
    CreatedDc printer(GetPrinterDC());
    if (!printer) return FALSE;
    pageWidth_ = GetDeviceCaps(printer.get(), HORZRES);
    pageHeight_ = GetDeviceCaps(printer.get(), VERTRES);
    return TRUE;
}

BOOL CardPrintJob::ComputePrintLayout(RECT* upper, RECT* lower) const {
    PageRect u, l;
    if (!upper || !lower || !computePrintLayout(pageWidth_, pageHeight_, &u, &l)) return FALSE;
    *upper = RECT{u.left, u.top, u.right, u.bottom};
    *lower = RECT{l.left, l.top, l.right, l.bottom};
    return TRUE;
}

void CardPrintJob::PrintCard() {
    char name[kDocumentNameSize] = {};
    LoadStringA(playerInstance(), IDS_PRINT_DOCUMENT, name, sizeof name);
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = name;

    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    CreatedDc printer(GetPrinterDC());
    if (!printer) {
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        return;
    }
    SetStretchBltMode(printer.get(), kColourOnColour);
    // Without a document there is no page to draw on or end.
    if (StartDocA(printer.get(), &document) > 0) {
        StartPage(printer.get());
        RECT upper{}, lower{};
        if (ComputePrintLayout(&upper, &lower)) {
            Rectangle(printer.get(), upper.left, upper.top, upper.right, upper.bottom);
            Rectangle(printer.get(), lower.left, lower.top, lower.right, lower.bottom);
            // Inside the one-unit frames.
            StretchToRect(printer.get(), topCopy_.get(), upper.left + 1, upper.top + 1,
                          upper.right - upper.left - 2, upper.bottom - upper.top - 2);
            StretchToRect(printer.get(), bottomCopy_.get(), lower.left + 1, lower.top + 1,
                          lower.right - lower.left - 2, lower.bottom - lower.top - 2);
        }
        EndPage(printer.get());
        EndDoc(printer.get());
    }
    printer.reset();
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

BOOL StretchToRect(HDC dc, HGLOBAL dib, int x, int y, int width, int height) {
    if (!dib) return FALSE;
    GlobalLockGuard lock(dib);
    auto view = viewDib(lock);
    if (!view) return FALSE;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(view->bytes());
    const int sw = int(view->width()), sh = int(view->height());
    for (const StretchBand& band : planStretchBands(sw, sh, height))
        StretchDIBits(dc, x, y + band.destTop, width, band.destHeight, 0, band.sourceTop, sw,
                      band.sourceHeight, view->pixels(), info, DIB_RGB_COLORS, SRCCOPY);
    return TRUE;
}

HGLOBAL RotateDib180(HGLOBAL dib) {
    if (!dib) return nullptr;
    GlobalLockGuard lock(dib);
    auto view = viewDib(lock);
    if (!view) return nullptr;
    auto turned = rotateDib180(*view);
    if (!turned) return nullptr;
    return copyToGlobal(turned->bytes()).release();
}

}  // namespace kz8::player
