// For information: Filmpack.dll's whole conversion under Wine of a 10 s
// 640 x 480 MS Video 1 clip with 22050 Hz 8-bit sound, against ffmpeg
// making the same movie from the same clip natively (its time measured by
// the caller in the same run and passed in).
// Usage: bench_filmpack FILMPACK_DLL CLIP TARGET PEER_SECONDS
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: bench_filmpack FILMPACK_DLL CLIP TARGET PEER_SECONDS\n");
        return 2;
    }
    using Convert = unsigned char(__cdecl*)(const char*, const char*, void(__cdecl*)(float));
    HMODULE library = LoadLibraryA(argv[1]);
    auto convert = library ? reinterpret_cast<Convert>(reinterpret_cast<void*>(
                                 GetProcAddress(library, "ConvertFunction")))
                           : nullptr;
    if (!convert) {
        std::fprintf(stderr, "bench_filmpack: %s could not be loaded\n", argv[1]);
        return 1;
    }
    DeleteFileA(argv[3]);
    const auto start = std::chrono::steady_clock::now();
    const unsigned char converted = convert(argv[2], argv[3], nullptr);
    const double ours =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    FreeLibrary(library);
    if (!converted) {
        std::fprintf(stderr, "bench_filmpack: the conversion failed\n");
        return 1;
    }
    const double peer = std::atof(argv[4]);
    std::printf(
        "10 s MS Video 1 clip through Filmpack.dll under Wine: %.2f s; ffmpeg natively "
        "%.2f s: %.2fx (for information)\n",
        ours, peer, ours / peer);
    return 0;
}
