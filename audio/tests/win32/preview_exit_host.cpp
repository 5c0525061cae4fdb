// A host that ends its process while KZ8Audio plays: usage
// preview_exit_host KZ8Audio.dll FILE.mp3. Exits 0 when the library let the
// process end, 2 when it could not even start playing.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 3) return 3;
    HMODULE library = LoadLibraryA(argv[1]);
    if (!library) return 2;
    using Open = int(__cdecl*)(HWND, char*);
    using Play = void(__cdecl*)();
    auto open = reinterpret_cast<Open>(
        reinterpret_cast<void*>(GetProcAddress(library, sizeof(void*) == 8
                                                            ? "?OnOpenMp3@@YAHPEAUHWND__@@PEAD@Z"
                                                            : "?OnOpenMp3@@YAHPAUHWND__@@PAD@Z")));
    auto play = reinterpret_cast<Play>(
        reinterpret_cast<void*>(GetProcAddress(library, "?OnPlayMp3@@YAXXZ")));
    if (!open || !play || open(nullptr, argv[2]) != 1) return 2;
    play();
    Sleep(100);
    ExitProcess(0);  // while the playback thread runs
}
