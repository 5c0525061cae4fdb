// Filmpack.dll's one export. Its name is plain: hosts find it by
// GetProcAddress(module, "ConvertFunction").
#include <windows.h>

#include "movie/win32/convert_function.h"

extern "C" unsigned char __cdecl ConvertFunction(const char* source, const char* target,
                                                 void(__cdecl* progress)(float)) {
    if (!source || !target) return 0;
    kz8::movie::ProgressFunction report;
    if (progress) report = [progress](float percent) { progress(percent); };
    return kz8::movie::convertToMovie(source, target, report);
}
