// A program a test starts, with everything it prints in a log file, ended
// with the test if it is still running (a program left over would hold the
// desktop for the tests after it).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "common/win32/handles.h"

namespace kz8::testkit {

class LoggedProcess {
public:
    // The log goes to logName in the temporary folder; the program runs in
    // folder when one is given.
    LoggedProcess(const std::string& commandLine, const std::string& logName,
                  const std::string& folder = {});
    ~LoggedProcess();
    LoggedProcess(const LoggedProcess&) = delete;
    LoggedProcess& operator=(const LoggedProcess&) = delete;

    bool started() const { return bool(process_); }
    // As printed, without the CR of Windows line ends.
    std::string log() const;
    bool logged(const std::string& text, DWORD milliseconds = 15000) const;
    // Its exit status, once it has ended within the time.
    std::optional<DWORD> exitStatus(DWORD milliseconds = 15000) const;

private:
    std::string logPath_;
    KernelHandle out_, process_;
};

// A path in double quotes, for a command line.
std::string quoted(const std::string& path);

}  // namespace kz8::testkit
