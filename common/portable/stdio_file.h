// C-library files with an owner that closes them.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace kz8 {
inline namespace common {

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

UniqueFile openFile(const std::string& path, const char* mode);

}  // namespace common
}  // namespace kz8
