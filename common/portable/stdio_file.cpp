#include "common/portable/stdio_file.h"

namespace kz8 {
inline namespace common {

UniqueFile openFile(const std::string& path, const char* mode) {
    return UniqueFile(std::fopen(path.c_str(), mode));
}

}  // namespace common
}  // namespace kz8
