// Time from the create call to the end of the first paint of a template
// window, against a bare window that decodes the same pictures with the same
// readers and draws the ones the template draws (background and buttons).
// Both run in this process under Wine, interleaved, and the medians are
// compared. With a second template, also one full repaint of it (every
// control kind, its edit windows included) against one SetDIBitsToDevice of
// its background alone.
// Usage: bench_template_window FORM.dtp [SHEET.dtp] [RUNS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// After windows.h, which they need.
#include "common/win32/dib_drawing.h"
#include "skinui/portable/template_parser.h"
#include "skinui/portable/template_pictures.h"
#include "skinui/win32/template_creation.h"
#include "skinui/win32/template_library.h"
#include "skinui/win32/template_loading.h"

namespace {

using namespace kz8::skinui;
using Clock = std::chrono::steady_clock;

struct Placed {
    std::string file;
    int x = 0, y = 0;
};

// What the bare window must do to match the template: every picture the
// template reads, and the ones its first paint draws with their places.
struct PictureWork {
    std::vector<std::string> decoded;
    std::vector<Placed> drawn;
};

PictureWork pictureWorkOf(const std::string& text) {
    PictureWork work;
    const ParseResult parsed = parseTemplateText(text);
    for (const ParsedSection& section : parsed.tree.sections) {
        Placed button;
        for (const ParsedKey& key : section.keys) {
            if (keyDefinition(key.id).type == KeyType::ImageFile) work.decoded.push_back(key.value);
            if (key.id == kKeyFileName) work.drawn.push_back(Placed{key.value, 0, 0});
            if (key.id == kKeyRegState) button.file = key.value;
            if (key.id == kKeyRect) std::sscanf(key.value.c_str(), "%d,%d", &button.x, &button.y);
        }
        if (section.kind == SectionKind::Button && !button.file.empty())
            work.drawn.push_back(button);
    }
    return work;
}

struct BareWindow {
    std::vector<std::pair<std::string, kz8::Dib>> pictures;
    const PictureWork* work = nullptr;

    const kz8::Dib* find(const std::string& file) const {
        for (const auto& [name, dib] : pictures)
            if (name == file) return &dib;
        return nullptr;
    }
};

LRESULT CALLBACK bareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          LONG_PTR(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    const auto* bare = reinterpret_cast<BareWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    for (const Placed& placed : bare->work->drawn)
        if (const kz8::Dib* dib = bare->find(placed.file))
            kz8::drawDibBytes(dc, *dib, placed.x, placed.y);
    EndPaint(window, &paint);
    return 0;
}

double bareWindowMilliseconds(const PictureWork& work) {
    const auto start = Clock::now();
    BareWindow bare;
    bare.work = &work;
    FileTemplateResources files([](const std::string&) { return std::optional<kz8::Dib>(); },
                                [](const std::string&) { return nullptr; });
    for (const std::string& file : work.decoded)
        if (auto dib = files.picture(file)) bare.pictures.emplace_back(file, std::move(*dib));
    const kz8::DibView background = bare.pictures.front().second.view();
    HWND window = CreateWindowExA(0, "BareWindow", "Bare", WS_POPUP | WS_VISIBLE, 0, 0,
                                  int(background.width()), int(background.height()), nullptr,
                                  nullptr, GetModuleHandleA(nullptr), &bare);
    UpdateWindow(window);
    GdiFlush();
    const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    DestroyWindow(window);
    return elapsed;
}

double templateWindowMilliseconds(HWND owner, const std::string& path) {
    const auto start = Clock::now();
    HWND window = openTemplateWindow(owner, WS_POPUP, path, 0, 0, 0);
    UpdateWindow(window);
    GdiFlush();
    const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (!window) {
        std::fprintf(stderr, "bench_template_window: %s\n",
                     TemplateLibrary::instance().lastErrorText.c_str());
        std::exit(1);
    }
    DestroyWindow(window);
    return elapsed;
}

// Every load asks for the album library by name; where there is none, that
// failed search is part of the template's time and not of the bare window's.
double albumLookupMilliseconds() {
    const auto start = Clock::now();
    if (HMODULE album = LoadLibraryA("Tomeset.dll")) FreeLibrary(album);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename Work>
double millisecondsOf(Work work) {
    const auto start = Clock::now();
    work();
    GdiFlush();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void compareFullPaint(HWND owner, const std::string& sheetPath, int runs) {
    HWND sheet = openTemplateWindow(owner, WS_POPUP, sheetPath, 0, 0, 0);
    const TemplateWindow* window = TemplateLibrary::instance().find(sheet);
    if (!window) {
        std::fprintf(stderr, "bench_template_window: %s\n",
                     TemplateLibrary::instance().lastErrorText.c_str());
        std::exit(1);
    }
    const kz8::Dib& background = *window->record().background;
    std::vector<double> full, alone;
    for (int i = 0; i < runs; ++i) {
        full.push_back(millisecondsOf([&] {
            RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }));
        alone.push_back(millisecondsOf([&] {
            HDC dc = GetDC(sheet);
            kz8::drawDibBytes(dc, background, 0, 0);
            ReleaseDC(sheet, dc);
        }));
    }
    const double fullMedian = median(full), aloneMedian = median(alone);
    std::printf("full paint of %s against its background alone\n", window->name());
    std::printf("  full %.3f ms, background %.3f ms, ratio %.2f\n", fullMedian, aloneMedian,
                fullMedian / aloneMedian);
    DestroyWindow(sheet);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_template_window FORM.dtp [SHEET.dtp] [RUNS]\n");
        return 2;
    }
    char fullPath[MAX_PATH] = {};
    GetFullPathNameA(argv[1], MAX_PATH, fullPath, nullptr);
    const std::string path = fullPath;
    const bool withSheet = argc > 2 && std::atoi(argv[2]) == 0;
    const int runsArgument = withSheet ? 3 : 2;
    const int runs = argc > runsArgument ? std::atoi(argv[runsArgument]) : 30;
    char sheetPath[MAX_PATH] = {};
    if (withSheet) GetFullPathNameA(argv[2], MAX_PATH, sheetPath, nullptr);
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const PictureWork work = pictureWorkOf(text.str());
    SetCurrentDirectoryA(folderOfPath(path).c_str());

    TemplateLibrary::instance().initialise();
    WNDCLASSA bareClass{};
    bareClass.lpfnWndProc = bareProcedure;
    bareClass.hInstance = GetModuleHandleA(nullptr);
    bareClass.lpszClassName = "BareWindow";
    RegisterClassA(&bareClass);
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);

    std::vector<double> ours, bare, album;
    templateWindowMilliseconds(owner, path);  // first runs load code and fonts
    bareWindowMilliseconds(work);
    for (int i = 0; i < runs; ++i) {
        ours.push_back(templateWindowMilliseconds(owner, path));
        bare.push_back(bareWindowMilliseconds(work));
        album.push_back(albumLookupMilliseconds());
    }
    const double ourMedian = median(ours), bareMedian = median(bare);
    std::printf("template window, create to end of first paint (%zu pictures read, %zu drawn)\n",
                work.decoded.size(), work.drawn.size());
    std::printf("  ours %.3f ms, bare window with the same pictures %.3f ms, ratio %.2f\n",
                ourMedian, bareMedian, ourMedian / bareMedian);
    std::printf("  of ours, the album library lookup %.3f ms; without it, ratio %.2f\n",
                median(album), (ourMedian - median(album)) / bareMedian);
    if (withSheet) compareFullPaint(owner, sheetPath, runs);
    DestroyWindow(owner);
    return 0;
}
