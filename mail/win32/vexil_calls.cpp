#include "mail/win32/vexil_calls.h"

#include <cstring>
#include <vector>

#include "mail/win32/mail_module.h"
#include "skinui/include/vexil2.h"

namespace kz8::mail {

namespace {

// 1 MiB: longer texts are not a recipient list or a note any more.
constexpr size_t kLongestEditText = size_t(1) << 20;

}  // namespace

std::string hostTemplatePath(const char* file) { return mailModuleFolder() + "\\ui\\" + file; }

std::string templateEditText(const char* editName) {
    for (size_t size = 1024;; size *= 2) {
        std::vector<char> buffer(size, '\0');
        if (!Vexil_GetEditText(editName, buffer.data(), int(size))) return {};
        // A text that filled the buffer may go on.
        if (std::strlen(buffer.data()) < size - 1 || size >= kLongestEditText) return buffer.data();
    }
}

ActiveTemplate::ActiveTemplate(const char* name) {
    if (const char* current = Vexil_GetCurrentTemplateName()) before_ = current;
    Vexil_SetActiveTemplate(name);
}

ActiveTemplate::~ActiveTemplate() {
    if (!before_.empty()) Vexil_SetActiveTemplate(before_.c_str());
}

}  // namespace kz8::mail
