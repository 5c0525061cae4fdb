#include "mail/win32/mail_module.h"

namespace kz8::mail {

HINSTANCE mailModule() {
    HMODULE self = nullptr;
    GetModuleHandleExA(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCSTR>(&mailModule), &self);
    return self;
}

std::string mailModuleFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(mailModule(), path, sizeof path);
    const std::string file = path;
    return file.substr(0, file.find_last_of("\\/"));
}

}  // namespace kz8::mail
