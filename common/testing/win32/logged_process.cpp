#include "common/testing/win32/logged_process.h"

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/mouse_driver.h"

namespace kz8::testkit {

LoggedProcess::LoggedProcess(const std::string& commandLine, const std::string& logName,
                             const std::string& folder) {
    char temporary[MAX_PATH] = {};
    GetTempPathA(sizeof temporary, temporary);
    logPath_ = std::string(temporary) + logName;
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    out_.reset(CreateFileA(logPath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = out_.get();
    std::string line = commandLine;
    PROCESS_INFORMATION started{};
    if (out_ && CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                               folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
        process_.reset(started.hProcess);
        CloseHandle(started.hThread);
    }
}

LoggedProcess::~LoggedProcess() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT)
        TerminateProcess(process_.get(), 3);
    process_.reset();
    out_.reset();
    DeleteFileA(logPath_.c_str());
}

std::string LoggedProcess::log() const {
    const auto bytes = readFile(logPath_);
    std::string text;
    if (bytes)
        for (uint8_t byte : *bytes)
            if (byte != '\r') text += char(byte);
    return text;
}

bool LoggedProcess::logged(const std::string& text, DWORD milliseconds) const {
    return pumpUntil([&] { return log().find(text) != std::string::npos; }, milliseconds);
}

std::optional<DWORD> LoggedProcess::exitStatus(DWORD milliseconds) const {
    if (!process_ || WaitForSingleObject(process_.get(), milliseconds) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD status = 1;
    GetExitCodeProcess(process_.get(), &status);
    return status;
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

}  // namespace kz8::testkit
