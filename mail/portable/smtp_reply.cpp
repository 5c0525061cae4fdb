#include "mail/portable/smtp_reply.h"

#include <algorithm>

namespace kz8::mail {

namespace {

constexpr uint32_t kWaitStepMilliseconds = 250;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool isReplyLineStart(const std::string& line) {
    if (line.size() < 3 || !isDigit(line[0]) || !isDigit(line[1]) || !isDigit(line[2]))
        return false;
    return line.size() == 3 || line[3] == ' ' || line[3] == '-';
}

size_t ReplyReader::completeReplyLength(int& code) const {
    size_t start = 0;
    while (true) {
        const size_t end = pending_.find("\r\n", start);
        if (end == std::string::npos) return 0;
        const std::string line = pending_.substr(start, end - start);
        if (!isReplyLineStart(line)) return std::string::npos;
        if (line.size() == 3 || line[3] == ' ') {
            code = std::stoi(line.substr(0, 3));
            return end + 2;
        }
        start = end + 2;
    }
}

Reply ReplyReader::read(const ReplyLimits& limits) {
    Reply reply;
    const uint64_t started = clock_.milliseconds();
    uint64_t lastData = started;
    char buffer[4096];
    while (true) {
        int code = 0;
        const size_t length = completeReplyLength(code);
        if (length == std::string::npos || (length == 0 && pending_.size() > limits.largestReply) ||
            length > limits.largestReply) {
            reply.error = kErrorUnexpectedReply;
            reply.text = pending_.substr(0, std::min(pending_.size(), limits.largestReply));
            pending_.clear();
            return reply;
        }
        if (length > 0) {
            reply.code = code;
            reply.text = pending_.substr(0, length);
            pending_.erase(0, length);
            return reply;
        }
        const uint64_t now = clock_.milliseconds();
        if (now - started >= limits.totalMilliseconds ||
            (limits.idleMilliseconds && now - lastData >= limits.idleMilliseconds)) {
            reply.error = kErrorTimedOut;
            reply.text = pending_;
            return reply;
        }
        const WaitResult waited = socket_.waitReadable(kWaitStepMilliseconds);
        if (waited == WaitResult::TimedOut) continue;
        const long got = waited == WaitResult::Failed ? -1 : socket_.receive(buffer, sizeof buffer);
        if (got <= 0) {
            reply.error = kErrorConnectionClosed;  // closed, or the connection failed
            reply.text = pending_;
            return reply;
        }
        pending_.append(buffer, size_t(got));
        lastData = clock_.milliseconds();
    }
}

}  // namespace kz8::mail
