// Whether the certificate a server showed is one to trust for the host the
// user named: its chain must end at a root in the platform's stores and
// pass the SSL policy, and it must be for that name, or for that dotted
// address among its IP-address entries (the policy only matches names).
#pragma once

#include <windows.h>
// after windows.h, whose types it uses
#include <wincrypt.h>

#include <string>

#include "mail/portable/secure_channel.h"

namespace kz8::mail {

// error: the policy's or the chain's, for the record.
TlsOutcome checkServerCertificate(PCCERT_CONTEXT certificate, const std::string& host, int& error);

}  // namespace kz8::mail
