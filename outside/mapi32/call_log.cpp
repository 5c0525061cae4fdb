#include "outside/mapi32/call_log.h"

#include "common/win32/handles.h"
#include "outside/mapi32/environment.h"

namespace kz8::outside {

void appendToCallLog(const std::string& line) {
    const auto path = environmentValue("KZ8_MAPI_LOG");
    if (!path || path->empty()) return;
    // Append-only access puts each line at the end in one write, whoever else
    // has the file open.
    KernelHandle file(CreateFileA(path->c_str(), FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file.get(), text.data(), DWORD(text.size()), &written, nullptr);
}

}  // namespace kz8::outside
