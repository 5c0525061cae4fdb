#include "mail/win32/schannel_socket.h"

#include <algorithm>
#include <cstring>

#include "mail/portable/server_text.h"
#include "mail/win32/server_certificate.h"

namespace kz8::mail {

namespace {

constexpr uint32_t kHandshakeMilliseconds = 30000;
constexpr uint32_t kWaitStepMilliseconds = 250;
constexpr size_t kReceiveBytes = 16 * 1024;
constexpr size_t kRecordHeaderBytes = 5;
constexpr uint8_t kAlertContentType = 0x15;
constexpr DWORD kContextFlags = ISC_REQ_CONFIDENTIALITY | ISC_REQ_STREAM | ISC_REQ_ALLOCATE_MEMORY |
                                ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT;

SecBuffer buffer(unsigned long type, void* bytes = nullptr, size_t size = 0) {
    return SecBuffer{static_cast<unsigned long>(size), type, bytes};
}

// The bytes an SECBUFFER_EXTRA says were not used: the last ones given.
void keepExtra(std::string& bytes, const SecBuffer& maybeExtra) {
    if (maybeExtra.BufferType == SECBUFFER_EXTRA && maybeExtra.cbBuffer <= bytes.size())
        bytes.erase(0, bytes.size() - maybeExtra.cbBuffer);
    else
        bytes.clear();
}

}  // namespace

SchannelSocket::~SchannelSocket() { release(); }

void SchannelSocket::release() {
    if (haveContext_) DeleteSecurityContext(&context_);
    if (haveCredentials_) FreeCredentialsHandle(&credentials_);
    haveContext_ = haveCredentials_ = up_ = false;
}

bool SchannelSocket::sendToken(SecBuffer& token) {
    const bool sent = token.cbBuffer == 0 || !token.pvBuffer ||
                      transport_.sendAll(static_cast<const char*>(token.pvBuffer), token.cbBuffer);
    if (token.pvBuffer) FreeContextBuffer(token.pvBuffer);
    token.pvBuffer = nullptr;
    return sent;
}

bool SchannelSocket::readMore(uint64_t deadline) {
    char bytes[kReceiveBytes];
    while (clock_.milliseconds() < deadline) {
        const WaitResult waited = transport_.waitReadable(kWaitStepMilliseconds);
        if (waited == WaitResult::TimedOut) continue;
        const long got =
            waited == WaitResult::Failed ? -1 : transport_.receive(bytes, sizeof bytes);
        if (got <= 0) {
            error_ = kErrorConnectionClosed;
            return false;
        }
        incoming_.append(bytes, size_t(got));
        return true;
    }
    error_ = kErrorTimedOut;
    return false;
}

bool SchannelSocket::handshake() {
    const uint64_t deadline = clock_.milliseconds() + kHandshakeMilliseconds;
    char* target = targetName_.empty() ? nullptr : targetName_.data();
    // The first call says hello; each later one takes what the server sent.
    bool needInput = haveContext_ && incoming_.empty();
    while (true) {
        if (needInput && !readMore(deadline)) return false;
        SecBuffer input[2] = {buffer(SECBUFFER_TOKEN, incoming_.data(), incoming_.size()),
                              buffer(SECBUFFER_EMPTY)};
        SecBuffer output[1] = {buffer(SECBUFFER_TOKEN)};
        SecBufferDesc inputDesc{SECBUFFER_VERSION, 2, input};
        SecBufferDesc outputDesc{SECBUFFER_VERSION, 1, output};
        ULONG attributes = 0;
        const SECURITY_STATUS status = InitializeSecurityContextA(
            &credentials_, haveContext_ ? &context_ : nullptr, target, kContextFlags, 0, 0,
            haveContext_ ? &inputDesc : nullptr, 0, &context_, &outputDesc, &attributes, nullptr);
        if (status == SEC_E_INCOMPLETE_MESSAGE) {
            needInput = true;
            continue;
        }
        if (!haveContext_ && (status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED))
            haveContext_ = true;
        else if (haveContext_)
            keepExtra(incoming_, input[1]);
        // A token goes out even with an error: it may be the alert.
        if (!sendToken(output[0]) && error_ == 0) error_ = kErrorConnectionClosed;
        if (status == SEC_E_OK) return error_ == 0;
        if (status != SEC_I_CONTINUE_NEEDED) {
            error_ = int(status);
            return false;
        }
        needInput = incoming_.empty();
    }
}

TlsOutcome SchannelSocket::start(const std::string& host) {
    error_ = 0;
    targetName_ = parseDottedAddress(host) ? std::string() : host;
    SCHANNEL_CRED settings{};
    settings.dwVersion = SCHANNEL_CRED_VERSION;
    settings.grbitEnabledProtocols = SP_PROT_TLS1_2_CLIENT | SP_PROT_TLS1_3_CLIENT;
    settings.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
    char package[] = UNISP_NAME_A;
    const SECURITY_STATUS acquired =
        AcquireCredentialsHandleA(nullptr, package, SECPKG_CRED_OUTBOUND, nullptr, &settings,
                                  nullptr, nullptr, &credentials_, nullptr);
    if (acquired != SEC_E_OK) {
        error_ = int(acquired);
        return TlsOutcome::Failed;
    }
    haveCredentials_ = true;
    if (!handshake()) return TlsOutcome::Failed;

    PCCERT_CONTEXT certificate = nullptr;
    const SECURITY_STATUS queried =
        QueryContextAttributesA(&context_, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate);
    if (queried != SEC_E_OK || !certificate) {
        error_ = int(queried);
        return TlsOutcome::Untrusted;
    }
    const TlsOutcome checked = checkServerCertificate(certificate, host, error_);
    CertFreeCertificateContext(certificate);
    if (checked != TlsOutcome::Secure) return checked;
    const SECURITY_STATUS sized =
        QueryContextAttributesA(&context_, SECPKG_ATTR_STREAM_SIZES, &sizes_);
    if (sized != SEC_E_OK || sizes_.cbMaximumMessage == 0) {
        error_ = int(sized);
        return TlsOutcome::Failed;
    }
    up_ = true;
    decryptRecords();  // the server may have said something already
    return failed_ ? TlsOutcome::Failed : TlsOutcome::Secure;
}

bool SchannelSocket::sendAll(const char* bytes, size_t size) {
    if (!up_) return transport_.sendAll(bytes, size);
    std::string record;
    while (size > 0) {
        const size_t piece = std::min<size_t>(size, sizes_.cbMaximumMessage);
        record.resize(sizes_.cbHeader + piece + sizes_.cbTrailer);
        std::memcpy(&record[sizes_.cbHeader], bytes, piece);
        SecBuffer parts[4] = {
            buffer(SECBUFFER_STREAM_HEADER, &record[0], sizes_.cbHeader),
            buffer(SECBUFFER_DATA, &record[sizes_.cbHeader], piece),
            buffer(SECBUFFER_STREAM_TRAILER, &record[sizes_.cbHeader + piece], sizes_.cbTrailer),
            buffer(SECBUFFER_EMPTY)};
        SecBufferDesc desc{SECBUFFER_VERSION, 4, parts};
        const SECURITY_STATUS status = EncryptMessage(&context_, 0, &desc, 0);
        if (status != SEC_E_OK) {
            error_ = int(status);
            return false;
        }
        // The trailer may be shorter than the most it could be.
        const size_t length = parts[0].cbBuffer + parts[1].cbBuffer + parts[2].cbBuffer;
        if (!transport_.sendAll(record.data(), length)) return false;
        bytes += piece;
        size -= piece;
    }
    return true;
}

void SchannelSocket::decryptRecords() {
    // A record's header is five bytes; Wine's Schannel reads them unchecked.
    while (incoming_.size() >= kRecordHeaderBytes && !peerClosed_ && !failed_) {
        // Wine answers a close_notify with an empty record, not with
        // SEC_I_CONTEXT_EXPIRED; the alert's content type tells.
        const bool alert = uint8_t(incoming_[0]) == kAlertContentType;
        SecBuffer parts[4] = {buffer(SECBUFFER_DATA, incoming_.data(), incoming_.size()),
                              buffer(SECBUFFER_EMPTY), buffer(SECBUFFER_EMPTY),
                              buffer(SECBUFFER_EMPTY)};
        SecBufferDesc desc{SECBUFFER_VERSION, 4, parts};
        const SECURITY_STATUS status = DecryptMessage(&context_, &desc, 0, nullptr);
        if (status == SEC_E_INCOMPLETE_MESSAGE) return;
        if (status != SEC_E_OK && status != SEC_I_RENEGOTIATE && status != SEC_I_CONTEXT_EXPIRED) {
            error_ = int(status);
            failed_ = true;
            return;
        }
        const SecBuffer* extra = nullptr;
        for (const SecBuffer& part : parts) {
            if (part.BufferType == SECBUFFER_DATA && part.pvBuffer)
                plain_.append(static_cast<const char*>(part.pvBuffer), part.cbBuffer);
            if (part.BufferType == SECBUFFER_EXTRA) extra = &part;
        }
        keepExtra(incoming_, extra ? *extra : parts[3]);
        if (status == SEC_I_CONTEXT_EXPIRED || alert) peerClosed_ = true;
        // TLS 1.3 sends tickets after the handshake; Schannel wants them
        // fed back through the handshake call.
        if (status == SEC_I_RENEGOTIATE && !handshake()) failed_ = true;
    }
}

WaitResult SchannelSocket::waitReadable(uint32_t milliseconds) {
    if (!up_) return transport_.waitReadable(milliseconds);
    if (!plain_.empty() || peerClosed_ || failed_) return WaitResult::Readable;
    const WaitResult waited = transport_.waitReadable(milliseconds);
    if (waited != WaitResult::Readable) return waited;
    char bytes[kReceiveBytes];
    const long got = transport_.receive(bytes, sizeof bytes);
    if (got <= 0) {
        peerClosed_ = true;
        return WaitResult::Readable;  // so that the reader learns it closed
    }
    incoming_.append(bytes, size_t(got));
    decryptRecords();
    // Part of a record is no text yet; the reader waits again.
    return !plain_.empty() || peerClosed_ || failed_ ? WaitResult::Readable : WaitResult::TimedOut;
}

long SchannelSocket::receive(char* into, size_t size) {
    if (!up_) return transport_.receive(into, size);
    if (plain_.empty()) return failed_ ? -1 : 0;
    const size_t taken = std::min(size, plain_.size());
    std::memcpy(into, plain_.data(), taken);
    plain_.erase(0, taken);
    return long(taken);
}

void SchannelSocket::close() {
    if (!up_) return;
    DWORD kind = SCHANNEL_SHUTDOWN;
    SecBuffer token = buffer(SECBUFFER_TOKEN, &kind, sizeof kind);
    SecBufferDesc tokenDesc{SECBUFFER_VERSION, 1, &token};
    if (ApplyControlToken(&context_, &tokenDesc) == SEC_E_OK) {
        SecBuffer output[1] = {buffer(SECBUFFER_TOKEN)};
        SecBufferDesc outputDesc{SECBUFFER_VERSION, 1, output};
        ULONG attributes = 0;
        char* target = targetName_.empty() ? nullptr : targetName_.data();
        const SECURITY_STATUS status =
            InitializeSecurityContextA(&credentials_, &context_, target, kContextFlags, 0, 0,
                                       nullptr, 0, nullptr, &outputDesc, &attributes, nullptr);
        if (status == SEC_E_OK || status == SEC_I_CONTEXT_EXPIRED)
            sendToken(output[0]);
        else if (output[0].pvBuffer)
            FreeContextBuffer(output[0].pvBuffer);
    }
    up_ = false;
}

}  // namespace kz8::mail
