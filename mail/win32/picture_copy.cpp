#include "mail/win32/picture_copy.h"

#include "mail/portable/mapi_rules.h"
#include "mail/win32/hydll.h"

namespace kz8::mail {

namespace {

// Creates the file only when no file has the name, so that a name is ours
// before the library writes it.
bool claimNewFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

}  // namespace

OpenedPicture::OpenedPicture(const std::string& path) {
    tolerateMissingHydll();
    picture_ = HyOpenFile(path.c_str(), 0, 0);
}

OpenedPicture::~OpenedPicture() {
    if (picture_) GlobalFree(picture_);
}

std::string OpenedPicture::saveJpegCopy(const std::string& stem,
                                        const std::string& fallback) const {
    const std::string copy = claimJpegName(stem, claimNewFile);
    if (copy.empty()) return fallback;
    if (HySaveFile(picture_, copy.c_str(), kHyJpegFormat, 0) == 1) return copy;
    DeleteFileA(copy.c_str());
    return fallback;
}

}  // namespace kz8::mail
