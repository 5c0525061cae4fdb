#include "skinui/portable/parse_error.h"

#include <cstdio>

namespace kz8::skinui {

namespace {

// By id, 1 to 28; the texts are the library's own, blanks included.
const char* const kMessages[] = {
    "",
    "invalid number",
    "invalid file name or the file has not exited",
    "%s is invalid  rectangle value ",
    "invalid color value ",
    "Can not  get  the  full  path for file%s!",
    "The file %s is not a DTP file .",
    "Can not open the DTP file:%s!",
    "Can not allocate the memory !",
    "Error when read the file :%s.",
    "missing '['!",
    "missing ']'!",
    "unknown character %c",
    "%s is a unknow CTRL name.",
    "missing '='",
    "unknow key word %s",
    "missing  ",
    "the %smissing the key  %s ",
    "the key %s''s value can not be empty ",
    "the file %s is a unknow format image file.",
    "the file %s hasn't exited !",
    "the file %s isn't a .cur file.",
    "the file %s isn't a .dtp file .",
    " %s is a unknown %s  Key word!",
    "too many TEMPLATE!",
    "Need a TEMPLATE at first!",
    "missing paramater!",
    "invalid paramater!",
    "%s is a unknow command!",
};
constexpr int32_t kMessageCount = int32_t(sizeof kMessages / sizeof kMessages[0]);

}  // namespace

const char* errorMessage(int32_t id) { return id > 0 && id < kMessageCount ? kMessages[id] : ""; }

std::string ParseError::text() const {
    char prefix[64];
    if (line == kNoLine)
        std::snprintf(prefix, sizeof prefix, "ERROR! ID=%d ", int(id));
    else
        std::snprintf(prefix, sizeof prefix, "ERROR! ID=%d LINE=%d ", int(id), int(line));
    std::string out = prefix;
    size_t next = 0;
    for (const char* m = errorMessage(id); *m; ++m) {
        if (m[0] == '%' && (m[1] == 's' || m[1] == 'c')) {
            if (next < arguments.size()) out += arguments[next++];
            ++m;
        } else {
            out += *m;
        }
    }
    if (out.size() > kErrorTextBytes - 1) out.resize(kErrorTextBytes - 1);
    return out;
}

}  // namespace kz8::skinui
