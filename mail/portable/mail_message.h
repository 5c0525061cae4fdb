// A message under composition and its bytes as they go out after DATA: the
// header block, the text encoded as quoted-printable, and the attachments
// in base64 as parts of a multipart message with the fixed boundary.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "mail/portable/mail_address.h"
#include "mail/portable/mime_encoding.h"

namespace kz8::mail {

constexpr const char* kMailer = "Tavrel Mail. 1.10. QK.W";
constexpr int kErrorInvalidData = 13;

enum RecipientKind : int { kTo = 0, kCc = 1, kBcc = 2 };

// One attached file: its name without folders and its whole content in
// base64 lines, made before the connection opens.
struct MailAttachment {
    std::string title;
    std::string fileName;
    std::string encodedText;
    // Fails, leaving the names empty, when the encoded form would pass
    // 2^31 - 1 bytes.
    bool encode(const std::string& name, const uint8_t* data, size_t size);
    int64_t encodedSize() const { return int64_t(encodedText.size()); }
};

// The code page the texts are written in, as the platform knows it.
struct TextCodePage {
    uint32_t codePage = 1252;
    LeadByteTest isLeadByte = [](uint8_t) { return false; };
    // For code pages without a charset name we send: the text as UTF-8.
    std::function<std::string(const std::string&)> toUtf8 = [](const std::string& text) {
        return text;
    };
};

// The local time a Date header shows, and the zone's bias in minutes
// (local = UTC - bias).
struct MailDate {
    int year = 2000, month = 1, day = 1, weekday = 0;  // month 1..12, weekday 0 Sunday
    int hour = 0, minute = 0, second = 0;
    int biasMinutes = 0;
};
// "Tue, 05 Dec 2026 14:03:09 +0530", with English names whatever the locale.
std::string formatMailDate(const MailDate& date);

class MailMessage {
public:
    MailAddress from;
    std::string subject;
    std::string mailer = kMailer;
    MailAddress replyTo;
    std::string messageId;  // "<...>", or empty for none
    std::vector<MailAddress> toList, ccList, bccList;

    // 1 when the whole text was taken, 0 at a malformed entry (the ones
    // before it stay).
    int AddRecipients(const std::string& text, RecipientKind kind, const AddressLookup& lookup);
    void SetBody(const std::string& text) { body_ = text; }
    const std::string& body() const { return body_; }
    // Its index, or -1 for an attachment without a name. Not owned.
    int AddAttachment(const MailAttachment* attachment);
    const std::vector<const MailAttachment*>& attachments() const { return attachments_; }

private:
    std::string body_;
    std::vector<const MailAttachment*> attachments_;
};

// The message as it goes out after DATA, before transparency: the header
// block with the text, then each attachment's opening and lines, then the
// closing delimiter. sizeForProgress counts the encoded text and the
// attachments' lines.
struct ComposedMessage {
    std::string head;
    struct Part {
        std::string opening;
        const std::string* lines = nullptr;
    };
    std::vector<Part> parts;
    std::string closing;
    uint64_t textSize = 0;
    uint64_t sizeForProgress = 0;
};

// Nothing when the subject or a sender text holds a line break (it would
// write headers of its own).
std::optional<ComposedMessage> composeMessage(const MailMessage& message, const MailDate& date,
                                              const TextCodePage& codePage);

// Transparency: a "." that starts a line is doubled, the data's first line
// included. Keeps whether the next byte starts a line across calls.
class DotStuffer {
public:
    std::string apply(const std::string& bytes);

private:
    bool atLineStart_ = true;
    bool afterCr_ = false;
};

}  // namespace kz8::mail
