// The host header as an MSVC-built host compiles it, with just enough of
// the Windows types; clang compiles this for the MSVC target to tell what
// the decorated export names must be.
#define VEXIL2_HOST_TYPES_DECLARED
struct HWND__;
typedef HWND__* HWND;
typedef unsigned long DWORD;
typedef struct tagRECT {
    long left, top, right, bottom;
} RECT;
typedef struct tagLOGFONTA {
    long lfHeight, lfWidth, lfEscapement, lfOrientation, lfWeight;
    unsigned char lfItalic, lfUnderline, lfStrikeOut, lfCharSet, lfOutPrecision, lfClipPrecision,
        lfQuality, lfPitchAndFamily;
    char lfFaceName[32];
} LOGFONTA;
#include "../include/vexil2.h"

void* volatile keepDecoratedExports[] = {reinterpret_cast<void*>(&Vexil_GetEditHwnd),
                                         reinterpret_cast<void*>(&Vexil_IsMouseOnCtrl),
                                         reinterpret_cast<void*>(&Vexil_List_SetItemShow),
                                         reinterpret_cast<void*>(&Vexil_List_SetSelect)};
