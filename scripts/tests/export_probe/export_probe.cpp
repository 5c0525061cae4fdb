#include <windows.h>

// Reached through the decorated name that an MSVC host expects for
// `int ProbeLength(HWND, char*)`.
extern "C" int probeLength(HWND, char* text) { return text ? lstrlenA(text) : -1; }

extern "C" int ProbeVersion() { return 7; }
extern "C" int ProbeTwice(int value) { return value * 2; }
