// The test CA and server certificates that the TLS test servers use, made
// beside the servers' folder, and the CA trusted in the Wine prefix.
#pragma once

#include <windows.h>
// after windows.h, whose types it uses
#include <wincrypt.h>

#include <string>
#include <vector>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/wine_run.h"

namespace kz8::mail::testkit {

inline std::vector<BYTE> certificateBytes(const char* name) {
    const std::string servers = kz8::testkit::environmentText("KZ8_SMTP_SERVERS");
    const std::string folder = servers.substr(0, servers.find_last_of("\\/"));
    const auto bytes = kz8::testkit::readFile(folder + "\\smtp-certificates\\" + name + ".der");
    return bytes ? std::vector<BYTE>(bytes->begin(), bytes->end()) : std::vector<BYTE>();
}

// The test CA into the current user's Root store, closed at once: Wine
// writes the store at its close, and reads it once per process for chains.
inline bool trustTestAuthority() {
    const std::vector<BYTE> ca = certificateBytes("ca");
    if (ca.empty()) return false;
    HCERTSTORE root = CertOpenSystemStoreA(0, "Root");
    if (!root) return false;
    const bool added =
        CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, ca.data(), DWORD(ca.size()),
                                         CERT_STORE_ADD_REPLACE_EXISTING, nullptr) != FALSE;
    CertCloseStore(root, 0);
    return added;
}

}  // namespace kz8::mail::testkit
