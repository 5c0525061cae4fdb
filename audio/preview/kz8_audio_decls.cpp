// The exports as an MSVC-built host declares them; clang compiles this for the
// MSVC target to tell what the decorated names must be.
struct HWND__;
typedef HWND__* HWND;
void OnInitMp3(void);
int OnOpenMp3(HWND window, char* path);
void OnPlayMp3(void);
void OnPauseMp3(void);
void OnStopMp3(void);
int OnGetTotalTime(void);
int OnGetCurStatus(void);
void* volatile keepExports[] = {
    reinterpret_cast<void*>(&OnInitMp3),   reinterpret_cast<void*>(&OnOpenMp3),
    reinterpret_cast<void*>(&OnPlayMp3),   reinterpret_cast<void*>(&OnPauseMp3),
    reinterpret_cast<void*>(&OnStopMp3),   reinterpret_cast<void*>(&OnGetTotalTime),
    reinterpret_cast<void*>(&OnGetCurStatus)};
