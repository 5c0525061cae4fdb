#include "mail/portable/mail_message.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace kz8::mail {

namespace {

constexpr const char* kBoundaryLine = "------=_NextPart_000_000C_01C07983.DB49D6E0";
constexpr const char* kBoundaryHeader =
    "MIME-Version: 1.0\r\nContent-type: multipart/mixed; "
    "boundary=\"----=_NextPart_000_000C_01C07983.DB49D6E0\"\r\n";
constexpr const char* kPreamble = "This is a multi-part message in MIME format.\r\n";
constexpr size_t kFoldColumn = 78;
constexpr int64_t kLargestEncoded = 0x7FFFFFFF;
constexpr const char* kSpecials = "()<>[]:;@\\,.\"";

constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool hasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// A text of the code page as a header charset can carry it.
struct HeaderText {
    std::string charset;
    std::string bytes;
};

HeaderText inCharset(const std::string& text, const TextCodePage& codePage) {
    const std::string charset = charsetOfCodePage(codePage.codePage);
    if (!charset.empty()) return {charset, text};
    return {"utf-8", codePage.toUtf8(text)};
}

std::string headerText(const std::string& text, const TextCodePage& codePage) {
    if (isSevenBit(text)) return text;
    const HeaderText converted = inCharset(text, codePage);
    // UTF-8 has no lead bytes of the code page's kind; its own sequences
    // are kept whole by never cutting before a continuation byte.
    const LeadByteTest whole = converted.charset == "utf-8"
                                   ? LeadByteTest([](uint8_t b) { return b >= 0xC0; })
                                   : codePage.isLeadByte;
    return encodeHeaderWords(converted.bytes, converted.charset, whole);
}

std::string headerMailbox(const MailAddress& mailbox, const TextCodePage& codePage) {
    const std::string& name = mailbox.friendlyName;
    if (name.empty()) return mailbox.address;
    std::string shown;
    if (!isSevenBit(name))
        shown = headerText(name, codePage);
    else if (name.find_first_of(kSpecials) != std::string::npos)
        shown = quotedString(name);
    else
        shown = name;
    return shown + " <" + mailbox.address + ">";
}

size_t lastLineLength(const std::string& text) {
    const size_t end = text.rfind("\r\n");
    return end == std::string::npos ? text.size() : text.size() - end - 2;
}

// "To: a,b,c" as the mailboxes join, folded after a "," where a line would
// pass column 78; short lists stay on one line.
std::string addressHeader(const char* field, const std::vector<MailAddress>& list,
                          const TextCodePage& codePage) {
    std::vector<std::string> items;
    std::string joined = std::string(field) + ": ";
    for (const MailAddress& mailbox : list) {
        items.push_back(headerMailbox(mailbox, codePage));
        joined += (items.size() > 1 ? "," : "") + items.back();
    }
    if (joined.size() <= kFoldColumn && joined.find("\r\n") == std::string::npos)
        return joined + "\r\n";
    std::string folded = std::string(field) + ": ";
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            folded += ",";
            const size_t next = items[i].find("\r\n");
            const size_t width = next == std::string::npos ? items[i].size() : next;
            if (lastLineLength(folded) + width > kFoldColumn) folded += "\r\n ";
        }
        folded += items[i];
    }
    return folded + "\r\n";
}

std::string attachmentOpening(const MailAttachment& file, const TextCodePage& codePage) {
    std::string name = quotedString(file.title);
    std::string disposition = "filename=" + quotedString(file.fileName);
    if (!isSevenBit(file.title)) {
        const HeaderText converted = inCharset(file.title, codePage);
        name = quotedString(headerText(file.title, codePage));
        disposition = "filename=" + name +
                      ";\r\n filename*=" + encodeExtendedValue(converted.bytes, converted.charset);
    }
    return std::string("\r\n\r\n") + kBoundaryLine +
           "\r\nContent-Type: application/octet-stream; name=" + name +
           "\r\nContent-Transfer-Encoding: base64\r\nContent-Disposition: attachment; " +
           disposition + "\r\n\r\n";
}

}  // namespace

std::string formatMailDate(const MailDate& date) {
    const int bias = date.biasMinutes;
    char text[64] = {};
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d %c%02d%02d",
                  kDays[((date.weekday % 7) + 7) % 7], date.day,
                  kMonths[((date.month - 1) % 12 + 12) % 12], date.year, date.hour, date.minute,
                  date.second, bias > 0 ? '-' : '+', std::abs(bias) / 60, std::abs(bias) % 60);
    return text;
}

bool MailAttachment::encode(const std::string& name, const uint8_t* data, size_t size) {
    title.clear();
    fileName.clear();
    encodedText.clear();
    encodedText.shrink_to_fit();
    if (base64LinesLength(size) > uint64_t(kLargestEncoded)) return false;
    try {
        encodedText = encodeBase64Lines(data, size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    title = fileName = name;
    return true;
}

int MailMessage::AddRecipients(const std::string& text, RecipientKind kind,
                               const AddressLookup& lookup) {
    ParsedRecipients parsed = parseRecipients(text, lookup);
    std::vector<MailAddress>& list = kind == kTo ? toList : kind == kCc ? ccList : bccList;
    list.insert(list.end(), parsed.recipients.begin(), parsed.recipients.end());
    return parsed.complete ? 1 : 0;
}

int MailMessage::AddAttachment(const MailAttachment* attachment) {
    if (!attachment || attachment->title.empty()) return -1;
    attachments_.push_back(attachment);
    return int(attachments_.size() - 1);
}

std::optional<ComposedMessage> composeMessage(const MailMessage& message, const MailDate& date,
                                              const TextCodePage& codePage) {
    for (const std::string* text :
         {&message.subject, &message.from.address, &message.from.friendlyName,
          &message.replyTo.address, &message.messageId})
        if (hasLineBreak(*text)) return std::nullopt;

    const bool multipart = !message.attachments().empty();
    const bool sevenBit = isSevenBit(message.body());
    std::string charset = "us-ascii";
    std::string text = message.body();
    if (!sevenBit) {
        const HeaderText converted = inCharset(text, codePage);
        charset = converted.charset;
        text = converted.bytes;
    }
    const std::string encoded = encodeQuotedPrintable(withCrlfLineEnds(text));

    ComposedMessage out;
    std::string& head = out.head;
    head = "From: " + headerMailbox(message.from, codePage) + "\r\n";
    head += addressHeader("To", message.toList, codePage);
    if (!message.ccList.empty()) head += addressHeader("Cc", message.ccList, codePage);
    head += "Subject: " + headerText(message.subject, codePage) + "\r\n";
    head += "Date: " + formatMailDate(date) + "\r\n";
    if (!message.messageId.empty()) head += "Message-ID: " + message.messageId + "\r\n";
    head += "X-Mailer: " + message.mailer + "\r\n";
    if (!message.replyTo.address.empty())
        head += "Reply-To: " + headerMailbox(message.replyTo, codePage) + "\r\n";
    if (multipart) {
        head += std::string(kBoundaryHeader) + "\r\n" + kPreamble + "\r\n" + kBoundaryLine +
                "\r\nContent-Type: text/plain; charset=" + charset +
                "\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n";
    } else {
        head += "MIME-Version: 1.0\r\nContent-type: text/plain; charset=" +
                (sevenBit ? std::string("US-ASCII") : charset) + "\r\n";
        // A text the encoding leaves as it is goes out as it always did.
        if (encoded != message.body()) head += "Content-Transfer-Encoding: quoted-printable\r\n";
        head += "\r\n";
    }
    head += encoded;
    out.textSize = encoded.size();
    out.sizeForProgress = encoded.size();
    for (const MailAttachment* file : message.attachments()) {
        out.parts.push_back({attachmentOpening(*file, codePage), &file->encodedText});
        out.sizeForProgress += file->encodedText.size();
    }
    if (multipart) out.closing = std::string("\r\n") + kBoundaryLine + "--";
    return out;
}

std::string DotStuffer::apply(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() + 8);
    for (char c : bytes) {
        if (c == '.' && atLineStart_) out += '.';
        out += c;
        atLineStart_ = c == '\n' && afterCr_;
        afterCr_ = c == '\r';
    }
    return out;
}

}  // namespace kz8::mail
