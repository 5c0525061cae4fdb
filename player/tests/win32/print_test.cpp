// Printing a card end to end: Wine's PostScript driver prints to a CUPS queue
// whose backend keeps each job as a file (scripts/print-queue.sh), and
// Ghostscript renders the job so that the page can be checked pixel by pixel.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <set>
#include <string>

#include "common/portable/dib.h"
#include "common/testing/win32/wine_run.h"
#include "common/win32/global_dib.h"
#include "common/win32/handles.h"
#include "player/win32/card_print_job.h"
#include "player/win32/player_state.h"

namespace kz8::player {
namespace {

using testkit::environmentText;
using testkit::windowsPathOf;

// A card face of four coloured quarters, light enough that the black frame
// stands out against every one of them.
struct Quarters {
    uint32_t topLeft, topRight, bottomLeft, bottomRight;  // 0xRRGGBB
};
constexpr Quarters kBack{0xE04040, 0x40C040, 0x4060E0, 0xF0D020};
constexpr Quarters kFront{0x40D0D0, 0xD040D0, 0xA0A0A0, 0xF09030};

GlobalMemory makeFace(const Quarters& q) {
    auto dib = Dib::create(580, 380, 24);
    MutableDibView v = dib->mutableView();
    for (int y = 0; y < 380; ++y)
        for (int x = 0; x < 580; ++x) {
            uint32_t c = y < 190 ? (x < 290 ? q.topLeft : q.topRight)
                                 : (x < 290 ? q.bottomLeft : q.bottomRight);
            uint8_t* p = v.row(y) + 3 * x;
            p[0] = uint8_t(c), p[1] = uint8_t(c >> 8), p[2] = uint8_t(c >> 16);
        }
    return copyToGlobal(dib->bytes());
}

std::set<std::string> jobsIn(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    FindHandle find(FindFirstFileA((folder + "\\job-*.ps").c_str(), &found));
    if (!find) return names;
    do names.insert(found.cFileName);
    while (FindNextFileA(find.get(), &found));
    return names;
}

// Waits for a job file that was not there before; its name or "".
std::string waitForNewJob(const std::string& folder, const std::set<std::string>& before,
                          DWORD timeoutMs = 30000) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Sleep(100))
        for (const std::string& name : jobsIn(folder))
            if (!before.count(name)) return name;
    return "";
}

bool runUnix(const std::string& line) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string copy = line;
    if (!CreateProcessA(nullptr, copy.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start " << line << ": error " << GetLastError();
        return false;
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return true;
}

// The printer driver's own resolution, so that a one-unit frame is one pixel.
constexpr int kRenderDpi = 300;

std::optional<testkit::PpmImage> renderJob(const std::string& jobsUnix, const std::string& job) {
    std::string out = jobsUnix + "/" + job + ".ppm";
    DeleteFileA(windowsPathOf(out).c_str());
    if (!runUnix("/bin/bash " + environmentText("KZ8_PRINT_QUEUE_SCRIPT") + " render " + jobsUnix +
                 "/" + job + " " + out + " " + std::to_string(kRenderDpi)))
        return std::nullopt;
    for (int tries = 0; tries < 300; ++tries, Sleep(100))
        if (auto bytes = testkit::readFile(windowsPathOf(out))) {
            DeleteFileA(windowsPathOf(out).c_str());  // tens of megabytes each
            return testkit::PpmImage::parse(*bytes);
        }
    return std::nullopt;
}

uint32_t rgbAt(const testkit::PpmImage& page, int x, int y) {
    testkit::Rgb c = page.at(x, y);
    return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b;
}
bool similar(uint32_t a, uint32_t b) {
    for (int shift : {0, 8, 16})
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 24) return false;
    return true;
}
bool dark(uint32_t c) {
    return similar(c, 0x000000) || ((c >> 16) < 90 && ((c >> 8) & 0xFF) < 90 && (c & 0xFF) < 90);
}
bool white(uint32_t c) { return similar(c, 0xFFFFFF); }

// The rectangle of the page's non-white pixels between rows top and bottom.
RECT inkBounds(const testkit::PpmImage& page, int top, int bottom) {
    RECT r{page.width, page.height, -1, -1};
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < page.width; ++x)
            if (!white(rgbAt(page, x, y))) {
                r.left = std::min<LONG>(r.left, x), r.right = std::max<LONG>(r.right, x + 1);
                r.top = std::min<LONG>(r.top, y), r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r;
}

// A face printed turned by 180 degrees shows each quarter diagonally across.
void expectTurnedFace(const testkit::PpmImage& page, const RECT& r, const Quarters& q,
                      const char* face, bool skipBottomFrame = false) {
    int w = r.right - r.left, h = r.bottom - r.top;
    ASSERT_GT(w, 100) << face;
    ASSERT_GT(h, 100) << face;
    struct Probe {
        double fx, fy;
        uint32_t want;
        const char* where;
    };
    const Probe probes[] = {{0.25, 0.25, q.bottomRight, "top left"},
                            {0.75, 0.25, q.bottomLeft, "top right"},
                            {0.25, 0.75, q.topRight, "bottom left"},
                            {0.75, 0.75, q.topLeft, "bottom right"}};
    for (const Probe& p : probes) {
        uint32_t got = rgbAt(page, r.left + int(p.fx * w), r.top + int(p.fy * h));
        EXPECT_TRUE(similar(got, p.want))
            << face << " " << p.where << ": got " << std::hex << got << " want " << p.want;
    }
    // The one-unit frame: dark on each edge's middle, picture just inside.
    struct Edge {
        int x, y, inX, inY;
        const char* name;
    };
    const Edge edges[] = {{r.left + w / 3, r.top, r.left + w / 3, r.top + 3, "top"},
                          {r.left + w / 3, r.bottom - 1, r.left + w / 3, r.bottom - 4, "bottom"},
                          {r.left, r.top + h / 3, r.left + 3, r.top + h / 3, "left"},
                          {r.right - 1, r.top + h / 3, r.right - 4, r.top + h / 3, "right"}};
    for (const Edge& e : edges) {
        // Wine's PostScript for the upper picture reaches one row further
        // down than asked, over that face's bottom frame line; the other
        // seven frame lines show.
        if (skipBottomFrame && std::string(e.name) == "bottom") continue;
        // Rasterising the picture may cover the frame's inner edge by one
        // pixel, so the frame is looked for in the outermost two.
        int stepX = e.inX > e.x ? 1 : e.inX < e.x ? -1 : 0;
        int stepY = e.inY > e.y ? 1 : e.inY < e.y ? -1 : 0;
        EXPECT_TRUE(dark(rgbAt(page, e.x, e.y)) || dark(rgbAt(page, e.x + stepX, e.y + stepY)))
            << face << " frame " << e.name << ": " << std::hex << rgbAt(page, e.x, e.y);
        EXPECT_FALSE(dark(rgbAt(page, e.inX, e.inY)) || white(rgbAt(page, e.inX, e.inY)))
            << face << " picture inside the " << e.name << " frame";
    }
}

class PrintToCapturedPrinter : public ::testing::Test {
protected:
    void SetUp() override {
        jobsUnix_ = environmentText("KZ8_PRINT_JOBS");
        ASSERT_FALSE(jobsUnix_.empty()) << "run through CTest, which sets up the print queue";
        jobs_ = windowsPathOf(jobsUnix_);
        back_ = makeFace(kBack);
        front_ = makeFace(kFront);
    }
    std::string jobsUnix_, jobs_;
    GlobalMemory back_, front_;
};

TEST_F(PrintToCapturedPrinter, BackAboveFrontBothTurnedAndFramed) {
    auto before = jobsIn(jobs_);
    auto started = std::chrono::steady_clock::now();
    {
        CardPrintJob job;
        ASSERT_TRUE(job.PrepareCopies(back_.get(), front_.get()));
        EXPECT_GT(job.pageWidth(), 0);
        EXPECT_GT(job.pageHeight(), job.pageWidth()) << "the default page is portrait";
        job.PrintCard();
    }
    double printMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW)) << "the wait cursor ends";
    std::string job = waitForNewJob(jobs_, before);
    ASSERT_FALSE(job.empty()) << "no job reached the printer";
    auto ps = testkit::readFile(jobs_ + "\\" + job);
    ASSERT_TRUE(ps);
    std::string text(ps->begin(), ps->end());
    EXPECT_NE(text.find("Multimedia Print"), std::string::npos) << "the document's title";

    auto page = renderJob(jobsUnix_, job);
    ASSERT_TRUE(page) << "Ghostscript did not render " << job;
    // The faces are separated by one white row near the middle of the page
    // (the printable area's middle, not quite the sheet's); find it.
    int gap = -1;
    for (int y = page->height / 2 - 150; y < page->height / 2 + 150 && gap < 0; ++y)
        if (white(rgbAt(*page, page->width / 2, y))) gap = y;
    ASSERT_GE(gap, 0) << "no white row between the faces";
    RECT upper = inkBounds(*page, 0, gap), lower = inkBounds(*page, gap + 1, page->height);
    EXPECT_EQ(upper.bottom, gap) << "the upper face ends right above the gap row";
    EXPECT_EQ(lower.top, gap + 1) << "the lower face starts right below it";
    ASSERT_GT(upper.right, 0) << "nothing printed in the upper half";
    ASSERT_GT(lower.right, 0) << "nothing printed in the lower half";
    EXPECT_NEAR(upper.right - upper.left, lower.right - lower.left, 2);
    EXPECT_NEAR(double(upper.bottom - upper.top) / (upper.right - upper.left), 380.0 / 580, 0.02)
        << "the card's shape";
    expectTurnedFace(*page, upper, kBack, "back (upper)", true);
    expectTurnedFace(*page, lower, kFront, "front (lower)");
    std::printf("[ figure ] PrintCard to the captured printer: %.1f ms\n", printMs);
}

// The same two pictures with nothing but StretchDIBits, for the timing figure.
double plainPrintMilliseconds(HGLOBAL back, HGLOBAL front) {
    auto started = std::chrono::steady_clock::now();
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgA(&dialog)) return -1;
    CreatedDc dc(dialog.hDC);
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = "Plain Print";
    StartDocA(dc.get(), &doc);
    StartPage(dc.get());
    int w = GetDeviceCaps(dc.get(), HORZRES), h = GetDeviceCaps(dc.get(), VERTRES);
    int ch = w * 380 / 580;
    for (auto [dib, top] : {std::pair{back, h / 2 - ch}, std::pair{front, h / 2 + 1}}) {
        GlobalLockGuard lock(dib);
        auto view = viewDib(lock);
        StretchDIBits(dc.get(), 0, top, w, ch, 0, 0, 580, 380, view->pixels(),
                      reinterpret_cast<const BITMAPINFO*>(view->bytes()), DIB_RGB_COLORS, SRCCOPY);
    }
    EndPage(dc.get());
    EndDoc(dc.get());
    GlobalFree(dialog.hDevMode);
    GlobalFree(dialog.hDevNames);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
        .count();
}

TEST_F(PrintToCapturedPrinter, TimedAgainstAPlainStretchDIBitsPrint) {
    constexpr int kRounds = 3;
    double card = 0, plain = 0;
    for (int i = 0; i < kRounds; ++i) {
        auto before = jobsIn(jobs_);
        auto started = std::chrono::steady_clock::now();
        CardPrintJob job;
        job.PrepareCopies(back_.get(), front_.get());
        job.PrintCard();
        card +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count();
        EXPECT_FALSE(waitForNewJob(jobs_, before).empty()) << "card job " << i;
        before = jobsIn(jobs_);
        plain += plainPrintMilliseconds(back_.get(), front_.get());
        EXPECT_FALSE(waitForNewJob(jobs_, before).empty()) << "plain job " << i;
    }
    std::printf(
        "[ figure ] print a card: %.1f ms, plain StretchDIBits program: %.1f ms, ratio %.2f\n",
        card / kRounds, plain / kRounds, card / plain);
}

BOOL WINAPI noDefaultPrinter(LPPRINTDLGA) { return FALSE; }

BOOL CALLBACK countVisible(HWND window, LPARAM count) {
    if (IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST_F(PrintToCapturedPrinter, WithoutAPrinterNothingIsPrintedOrShown) {
    setPrintDialogFunction(noDefaultPrinter);
    auto before = jobsIn(jobs_);
    {
        CardPrintJob job;
        EXPECT_FALSE(job.PrepareCopies(back_.get(), front_.get()));
        EXPECT_EQ(job.pageWidth(), 0);
        RECT a, b;
        EXPECT_FALSE(job.ComputePrintLayout(&a, &b));
        job.PrintCard();
    }
    setPrintDialogFunction(nullptr);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
    int windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), countVisible, reinterpret_cast<LPARAM>(&windows));
    EXPECT_EQ(windows, 0) << "no message or dialog appeared";
    EXPECT_TRUE(waitForNewJob(jobs_, before, 3000).empty()) << "a job was printed";
}

TEST_F(PrintToCapturedPrinter, MissingPictureGivesAnEmptyPage) {
    auto before = jobsIn(jobs_);
    CardPrintJob job;
    EXPECT_FALSE(job.PrepareCopies(back_.get(), nullptr));
    job.PrintCard();
    std::string name = waitForNewJob(jobs_, before);
    ASSERT_FALSE(name.empty()) << "the page goes out, empty";
    auto page = renderJob(jobsUnix_, name);
    ASSERT_TRUE(page);
    RECT ink = inkBounds(*page, 0, page->height);
    EXPECT_LT(ink.right, 0) << "something was drawn on the page";
}

}  // namespace
}  // namespace kz8::player
