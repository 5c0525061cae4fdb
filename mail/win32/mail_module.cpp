#include "mail/win32/mail_module.h"

#include "common/win32/module_function.h"
namespace kz8::mail {

HINSTANCE mailModule() { return moduleContaining(reinterpret_cast<const void*>(&mailModule)); }

std::string mailModuleFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(mailModule(), path, sizeof path);
    const std::string file = path;
    return file.substr(0, file.find_last_of("\\/"));
}

}  // namespace kz8::mail
