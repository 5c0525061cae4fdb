#include "skinui/win32/file_cursor.h"

#include "skinui/win32/template_library.h"

namespace kz8::skinui {

namespace {

class FileCursor : public CursorResource {
public:
    explicit FileCursor(HCURSOR cursor) : cursor_(cursor) {
        TemplateLibrary::instance().objectCreated();
    }
    ~FileCursor() override {
        DestroyCursor(cursor_);
        TemplateLibrary::instance().objectDestroyed();
    }
    FileCursor(const FileCursor&) = delete;
    FileCursor& operator=(const FileCursor&) = delete;

    HCURSOR handle() const { return cursor_; }

private:
    HCURSOR cursor_;
};

}  // namespace

std::unique_ptr<CursorResource> loadFileCursor(const std::string& fileName) {
    HCURSOR cursor = LoadCursorFromFileA(fileName.c_str());
    if (!cursor) return nullptr;
    return std::make_unique<FileCursor>(cursor);
}

HCURSOR cursorHandleOf(const CursorResource* cursor) {
    const auto* fromFile = dynamic_cast<const FileCursor*>(cursor);
    return fromFile ? fromFile->handle() : LoadCursorA(nullptr, IDC_ARROW);
}

}  // namespace kz8::skinui
