// What a message takes from this machine: the local time with the zone's
// bias in effect, the ANSI code page its texts are written in, and the
// files it attaches.
#pragma once

#include <string>

#include "mail/portable/mail_message.h"

namespace kz8::mail {

MailDate localMailDate();
TextCodePage systemCodePage();
// The file whole, read while nobody writes it; false, and the attachment
// without names, when it cannot be read.
bool attachFile(MailAttachment& attachment, const std::string& path);

}  // namespace kz8::mail
