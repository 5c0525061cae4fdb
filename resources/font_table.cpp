// The font table of Res_KZ8: which fonts and character set the texts of this
// library's language are shown in. A translation changes these three values.
#include <cstring>

namespace {

constexpr char kFontName[] = "Arial";
constexpr char kCharSet = 1;  // DEFAULT_CHARSET
constexpr char kAddressFontName[] = "Arial";

// The callers' buffers are 128 bytes; the names are far shorter.
static_assert(sizeof kFontName <= 128 && sizeof kAddressFontName <= 128);

int writeText(char* buffer, const char* text, std::size_t size) {
    if (!buffer) return 0;
    std::memcpy(buffer, text, size);
    return 1;
}

}  // namespace

extern "C" int __cdecl GetFontName(char* buffer) {
    return writeText(buffer, kFontName, sizeof kFontName);
}

extern "C" int __cdecl GetCharSet(char* buffer) {
    if (!buffer) return 0;
    *buffer = kCharSet;
    return 1;
}

extern "C" int __cdecl GetAddrFont(char* buffer) {
    return writeText(buffer, kAddressFontName, sizeof kAddressFontName);
}
