#include "mail/win32/server_certificate.h"

#include <memory>
#include <vector>

#include "mail/portable/server_text.h"

namespace kz8::mail {

namespace {

struct ChainRelease {
    void operator()(PCCERT_CHAIN_CONTEXT chain) const { CertFreeCertificateChain(chain); }
};
using Chain = std::unique_ptr<const CERT_CHAIN_CONTEXT, ChainRelease>;

std::wstring widened(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(),
                                           int(wide.size()));
    wide.resize(size_t(std::max(length, 0)));
    return wide;
}

// Whether the certificate names this address among its IP-address
// alternative names.
bool namesAddress(PCCERT_CONTEXT certificate, const std::array<uint8_t, 4>& address) {
    const CERT_INFO* info = certificate->pCertInfo;
    const CERT_EXTENSION* extension =
        CertFindExtension(szOID_SUBJECT_ALT_NAME2, info->cExtension, info->rgExtension);
    if (!extension) return false;
    CERT_ALT_NAME_INFO* names = nullptr;
    DWORD size = 0;
    if (!CryptDecodeObjectEx(X509_ASN_ENCODING, X509_ALTERNATE_NAME, extension->Value.pbData,
                             extension->Value.cbData, CRYPT_DECODE_ALLOC_FLAG, nullptr, &names,
                             &size))
        return false;
    bool found = false;
    for (DWORD i = 0; i < names->cAltEntry && !found; ++i) {
        const CERT_ALT_NAME_ENTRY& entry = names->rgAltEntry[i];
        found = entry.dwAltNameChoice == CERT_ALT_NAME_IP_ADDRESS &&
                entry.IPAddress.cbData == address.size() &&
                std::equal(address.begin(), address.end(), entry.IPAddress.pbData);
    }
    LocalFree(names);
    return found;
}

}  // namespace

TlsOutcome checkServerCertificate(PCCERT_CONTEXT certificate, const std::string& host, int& error) {
    char serverAuth[] = szOID_PKIX_KP_SERVER_AUTH;
    char* usages[] = {serverAuth};
    CERT_CHAIN_PARA chainPara{};
    chainPara.cbSize = sizeof chainPara;
    chainPara.RequestedUsage.dwType = USAGE_MATCH_TYPE_AND;
    chainPara.RequestedUsage.Usage = {1, usages};
    PCCERT_CHAIN_CONTEXT made = nullptr;
    // The certificate's own store holds the intermediates the server sent;
    // nothing is fetched from the network for the ones it did not.
    if (!CertGetCertificateChain(nullptr, certificate, nullptr, certificate->hCertStore, &chainPara,
                                 CERT_CHAIN_CACHE_ONLY_URL_RETRIEVAL, nullptr, &made)) {
        error = int(GetLastError());
        return TlsOutcome::Untrusted;
    }
    const Chain chain(made);
    // Wine's SSL policy lets a chain that ends at no known issuer pass.
    if (chain->TrustStatus.dwErrorStatus != CERT_TRUST_NO_ERROR) {
        error = int(CERT_E_UNTRUSTEDROOT);
        return TlsOutcome::Untrusted;
    }
    const auto address = parseDottedAddress(host);
    std::wstring serverName = address ? std::wstring() : widened(host);
    HTTPSPolicyCallbackData server{};
    server.cbStruct = sizeof server;
    server.dwAuthType = AUTHTYPE_SERVER;
    server.pwszServerName = address ? nullptr : serverName.data();
    CERT_CHAIN_POLICY_PARA policy{};
    policy.cbSize = sizeof policy;
    policy.pvExtraPolicyPara = &server;
    CERT_CHAIN_POLICY_STATUS status{};
    status.cbSize = sizeof status;
    if (!CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain.get(), &policy, &status)) {
        error = int(GetLastError());
        return TlsOutcome::Untrusted;
    }
    error = int(status.dwError);
    if (status.dwError == DWORD(CERT_E_CN_NO_MATCH)) return TlsOutcome::WrongServer;
    if (status.dwError != 0) return TlsOutcome::Untrusted;
    if (address && !namesAddress(certificate, *address)) {
        error = int(CERT_E_CN_NO_MATCH);
        return TlsOutcome::WrongServer;
    }
    return TlsOutcome::Secure;
}

}  // namespace kz8::mail
