// What a message takes from this machine: the local time with the zone's
// bias in effect, the ANSI code page its texts are written in, the files
// it attaches, and the Message-ID of submitted mail.
#pragma once

#include <string>

#include "mail/portable/mail_message.h"

namespace kz8::mail {

MailDate localMailDate();
TextCodePage systemCodePage();
// The file whole, read while nobody writes it; false, and the attachment
// without names, when it cannot be read.
bool attachFile(MailAttachment& attachment, const std::string& path);
// The UTC time now and 16 bytes of the platform's random generator.
std::string newMessageId(const std::string& senderAddress, const std::string& heloName);

}  // namespace kz8::mail
