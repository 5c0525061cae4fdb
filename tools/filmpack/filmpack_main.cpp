// filmpack: converts a clip into a QuickTime movie through Filmpack.dll,
// loaded from beside this program and called as a host calls it.
//   filmpack [--force] SOURCE TARGET.mov
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using ConvertFunction = unsigned char(__cdecl*)(const char*, const char*, void(__cdecl*)(float));

constexpr int kBarWidth = 40;

void usage(std::FILE* to) {
    std::fprintf(to,
                 "usage: filmpack [--force] SOURCE TARGET.mov\n"
                 "Converts a clip into a QuickTime movie of 320 x 240 JPEG frames and,\n"
                 "when the clip has sound, 22050 Hz 8-bit mono sound.\n"
                 "  --force  replace TARGET.mov when it exists\n");
}

int fail(const std::string& reason) {
    std::fprintf(stderr, "filmpack: %s\n", reason.c_str());
    return 1;
}

void __cdecl drawBar(float percent) {
    const int filled = int(percent * kBarWidth / 100);
    std::fprintf(stderr, "\r[%-*.*s] %3d%%", kBarWidth, filled,
                 "########################################", int(percent));
    std::fflush(stderr);
}

bool exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

std::string besideThisProgram(const char* name) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    const size_t slash = folder.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : folder.substr(0, slash + 1)) + name;
}

}  // namespace

int main(int argc, char** argv) {
    bool force = false;
    const char* paths[2] = {};
    int given = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            usage(stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--force") == 0) {
            force = true;
        } else if (given < 2 && argv[i][0] != '-') {
            paths[given++] = argv[i];
        } else {
            usage(stderr);
            return 1;
        }
    }
    if (given != 2) {
        usage(stderr);
        return 1;
    }
    if (!exists(paths[0])) return fail(std::string("no source ") + paths[0]);
    if (exists(paths[1]) && !force)
        return fail(std::string(paths[1]) + " exists (--force replaces it)");
    HMODULE library = LoadLibraryA(besideThisProgram("Filmpack.dll").c_str());
    auto convert = library ? reinterpret_cast<ConvertFunction>(reinterpret_cast<void*>(
                                 GetProcAddress(library, "ConvertFunction")))
                           : nullptr;
    if (!convert) return fail("Filmpack.dll could not be loaded from beside filmpack");
    const unsigned char converted = convert(paths[0], paths[1], drawBar);
    std::fprintf(stderr, "\n");
    FreeLibrary(library);
    if (!converted) return fail(std::string("the conversion of ") + paths[0] + " failed");
    return 0;
}
