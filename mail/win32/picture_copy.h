// Pictures as MAPI delivery sends them: opened through the file-dialog
// library, and saved as a JPEG copy under a name no file has yet, so that
// no picture of the user's is ever written over.
#pragma once

#include <windows.h>

#include <string>

namespace kz8::mail {

class OpenedPicture {
public:
    explicit OpenedPicture(const std::string& path);
    ~OpenedPicture();
    OpenedPicture(const OpenedPicture&) = delete;
    OpenedPicture& operator=(const OpenedPicture&) = delete;
    bool opened() const { return picture_ != nullptr; }
    // The JPEG copy's path (stem + ".jpg", or "_1.jpg", ...); fallback when
    // it could not be written, which leaves no file behind.
    std::string saveJpegCopy(const std::string& stem, const std::string& fallback) const;

private:
    HGLOBAL picture_ = nullptr;
};

}  // namespace kz8::mail
