// The declarations as an MSVC-built host sees them; clang compiles this for
// the MSVC target to tell what the decorated names must be.
struct HWND__;
typedef HWND__* HWND;
int ProbeLength(HWND window, char* text);
int (*volatile keepProbeLength)(HWND, char*) = &ProbeLength;
