// 100 create/close cycles of a template through Vexil2.dll's exports,
// against the same cycles through the template library linked in, both in
// this process under Wine, interleaved; the medians of the rounds are
// compared. The export layer should add nothing measurable.
// Usage: bench_vexil2_exports Vexil2.dll FORM.dtp [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// After windows.h, which they need.
#include "common/win32/module_function.h"
#include "skinui/include/vexil2.h"
#include "skinui/win32/template_creation.h"
#include "skinui/win32/template_library.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kCycles = 100;

template <typename Work>
double millisecondsOf(Work work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "bench_vexil2_exports: %s\n", what);
    std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_vexil2_exports Vexil2.dll FORM.dtp [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 9;
    char fullPath[MAX_PATH] = {};
    GetFullPathNameA(argv[2], MAX_PATH, fullPath, nullptr);
    std::string path = fullPath;

    HMODULE dll = LoadLibraryA(argv[1]);
    if (!dll) fail("the library does not load");
    auto init = kz8::moduleFunction<decltype(&Vexil_Init)>(dll, "Vexil_Init");
    auto create =
        kz8::moduleFunction<decltype(&Vexil_Create)>(dll, MAKEINTRESOURCEA(vexil2::kCreate));
    auto close = kz8::moduleFunction<decltype(&Vexil_Close)>(dll, "Vexil_Close");
    if (!init || !create || !close || !init()) fail("the library's functions are missing");
    kz8::skinui::TemplateLibrary& linked = kz8::skinui::TemplateLibrary::instance();
    if (!linked.initialise()) fail("the linked library cannot register its classes");
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);

    std::vector<double> throughExports, throughCore;
    for (int round = 0; round < rounds; ++round) {
        throughExports.push_back(millisecondsOf([&] {
            for (int i = 0; i < kCycles; ++i) {
                if (!create(owner, WS_POPUP, path.data(), 0, 0, 0)) fail("a create failed");
                close();
            }
        }));
        throughCore.push_back(millisecondsOf([&] {
            for (int i = 0; i < kCycles; ++i) {
                HWND window = kz8::skinui::openTemplateWindow(owner, WS_POPUP, path, 0, 0, 0);
                if (!window) fail(linked.lastErrorText.c_str());
                SendMessageA(window, WM_CLOSE, 0, 0);
            }
        }));
    }
    const double exports = median(throughExports), core = median(throughCore);
    std::printf("%d create/close cycles of %s, median of %d rounds\n", kCycles, argv[2], rounds);
    std::printf("  through the exports %.1f ms, through the linked core %.1f ms, ratio %.3f\n",
                exports, core, exports / core);
    DestroyWindow(owner);
    FreeLibrary(dll);
    return 0;
}
