// The string-table numbers of Email.dll's own texts for sends that fail
// before a secure session is ready.
#pragma once

#define IDS_CERTIFICATE_UNTRUSTED 1101
#define IDS_CERTIFICATE_WRONG_SERVER 1102
#define IDS_NO_SECURE_OFFER 1103
#define IDS_NO_SECURE_CONNECTION 1104
#define IDS_LOGIN_REFUSED 1105
#define IDS_NO_LOGIN 1106
