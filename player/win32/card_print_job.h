// Printing the card on the default printer without a dialog: the back in the
// upper half and the front in the lower half of one page, each turned by 180
// degrees and framed, so that the sheet folds into a card.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commdlg.h>

#include "common/win32/handles.h"

namespace kz8::player {

class CardPrintJob {
public:
    CardPrintJob();
    virtual ~CardPrintJob();
    CardPrintJob(const CardPrintJob&) = delete;
    CardPrintJob& operator=(const CardPrintJob&) = delete;

    // Turned copies of both pictures, then the page size; false when a copy
    // or the printer is missing.
    BOOL PrepareCopies(HGLOBAL backPicture, HGLOBAL frontPicture);
    BOOL QueryPageSize();
    // The default printer's context; the printer is asked for once per job.
    HDC GetPrinterDC();
    BOOL ComputePrintLayout(RECT* upper, RECT* lower) const;
    void PrintCard();

    int pageWidth() const { return pageWidth_; }
    int pageHeight() const { return pageHeight_; }

private:
    PRINTDLGA printDialog_;
    int pageWidth_;
    int pageHeight_;
    GlobalMemory topCopy_;
    GlobalMemory bottomCopy_;
    // The printer's settings blocks belong to whoever asked for them.
    GlobalMemory devMode_;
    GlobalMemory devNames_;
};

// Stretches the DIB into (x, y, width, height), in bands for large pictures.
BOOL StretchToRect(HDC dc, HGLOBAL dib, int x, int y, int width, int height);

// A new DIB turned by 180 degrees, or nullptr.
HGLOBAL RotateDib180(HGLOBAL dib);

// How the job asks for the default printer; tests replace it (nullptr
// restores PrintDlgA) to stand for a machine without printers.
using PrintDialogFunction = BOOL(WINAPI*)(LPPRINTDLGA);
void setPrintDialogFunction(PrintDialogFunction function);

}  // namespace kz8::player
