// A resource library for tests: it exports all six entry points that a
// resource module looks up, and each notes its call, so that a test sees
// which were called and in what order.
#include <cstring>
#include <string>

namespace {

std::string& callLog() {
    static std::string log;
    return log;
}

void note(const char* name) { callLog() += std::string(callLog().empty() ? "" : ",") + name; }

int writeText(char* buffer, const char* text) {
    std::strcpy(buffer, text);
    return 1;
}

}  // namespace

#define PROBE_EXPORT extern "C" __declspec(dllexport)

PROBE_EXPORT int __cdecl GetFontName(char* buffer) {
    note("GetFontName");
    return writeText(buffer, "Probe Sans");
}
PROBE_EXPORT int __cdecl GetCharSet(char* buffer) {
    note("GetCharSet");
    *buffer = char(0x80);  // a character set of another language
    return 1;
}
PROBE_EXPORT int __cdecl GetSampLen() {
    note("GetSampLen");
    return 11;
}
PROBE_EXPORT int __cdecl GetSampText(char* buffer) {
    note("GetSampText");
    return writeText(buffer, "Sample text");
}
PROBE_EXPORT int __cdecl GetFontSize(char*) {
    note("GetFontSize");
    return 1;
}
PROBE_EXPORT int __cdecl GetAddrFont(char* buffer) {
    note("GetAddrFont");
    return writeText(buffer, "Probe Mono");
}
PROBE_EXPORT const char* __cdecl ProbeCallLog() { return callLog().c_str(); }
