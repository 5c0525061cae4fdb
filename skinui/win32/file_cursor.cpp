#include "skinui/win32/file_cursor.h"

#include <windows.h>

namespace kz8::skinui {

namespace {

class FileCursor : public CursorResource {
public:
    explicit FileCursor(HCURSOR cursor) : cursor_(cursor) {}
    ~FileCursor() override { DestroyCursor(cursor_); }
    FileCursor(const FileCursor&) = delete;
    FileCursor& operator=(const FileCursor&) = delete;

private:
    HCURSOR cursor_;
};

}  // namespace

std::unique_ptr<CursorResource> loadFileCursor(const std::string& fileName) {
    HCURSOR cursor = LoadCursorFromFileA(fileName.c_str());
    if (!cursor) return nullptr;
    return std::make_unique<FileCursor>(cursor);
}

}  // namespace kz8::skinui
