// Reading one SMTP reply: every line up to the last ("ddd " or "ddd"
// alone), across as many packets as it comes in, with the bytes after it
// kept for the next reply. A reply that is malformed, too long, too slow
// or cut off by the server fails with its error.
#pragma once

#include <cstdint>
#include <string>

#include "mail/portable/smtp_socket.h"

namespace kz8::mail {

struct ReplyLimits {
    uint32_t idleMilliseconds = 10000;    // since the last bytes; 0: none
    uint32_t totalMilliseconds = 300000;  // since the command
    size_t largestReply = 64 * 1024;
};
// The reply to the end of data: the server may take minutes to scan a card.
constexpr ReplyLimits kEndOfDataLimits{0, 600000, 64 * 1024};

struct Reply {
    int code = 0;      // of the last line; 0 when none was read
    int error = 0;     // 0, or why no reply was read
    std::string text;  // as received, lines and all
};

class ReplyReader {
public:
    ReplyReader(SmtpSocket& socket, SmtpClock& clock) : socket_(socket), clock_(clock) {}
    Reply read(const ReplyLimits& limits = {});
    // Bytes after the last reply, for the next one.
    const std::string& pending() const { return pending_; }

private:
    // The length of a complete reply at the start of pending_, 0 when more
    // is needed, npos when a line is malformed.
    size_t completeReplyLength(int& code) const;

    SmtpSocket& socket_;
    SmtpClock& clock_;
    std::string pending_;
};

// Whether a reply line starts as SMTP says: three digits, then SP, "-" or
// the line's end.
bool isReplyLineStart(const std::string& line);

}  // namespace kz8::mail
