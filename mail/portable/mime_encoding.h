// The encodings a message's bytes go through: base64 for attachments,
// quoted-printable for the text, RFC 2047 words for 8-bit header texts and
// RFC 2231 for 8-bit file names, and the charset names that label them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kz8::mail {

// Standard alphabet with padding, 76-character lines each ended by CRLF;
// after the last group a CRLF always follows, so a last line that was full
// leaves an empty line.
std::string encodeBase64Lines(const uint8_t* data, size_t size);
// The exact length encodeBase64Lines gives, in 64-bit arithmetic.
uint64_t base64LinesLength(uint64_t size);
// One base64 run without line breaks (for RFC 2047 words).
std::string encodeBase64(const std::string& bytes);

bool isSevenBit(const std::string& text);
// CR LF, lone CR and lone LF all become CR LF.
std::string withCrlfLineEnds(const std::string& text);
// RFC 2045 quoted-printable of a text whose lines end in CR LF: lines of at
// most 76 characters with soft breaks, "=" and bytes outside 33..126 (but
// blanks inside a line) as =XX, blanks before a line end encoded.
std::string encodeQuotedPrintable(const std::string& crlfText);

// Whether the byte at a position starts a two-byte character of the text's
// code page; texts are never cut between the two.
using LeadByteTest = std::function<bool(uint8_t)>;

// The text as "=?charset?B?...?=" words of at most 75 characters, separated
// by CRLF and a blank, each holding whole characters.
std::string encodeHeaderWords(const std::string& text, const std::string& charset,
                              const LeadByteTest& isLeadByte);
// RFC 2231 extended value: charset''percent-encoded bytes.
std::string encodeExtendedValue(const std::string& text, const std::string& charset);
// A quoted-string: backslash before '"' and '\'.
std::string quotedString(const std::string& text);

// The IANA name of a Windows ANSI code page, or empty for one that has
// none we send (the text then goes out as UTF-8).
std::string charsetOfCodePage(uint32_t codePage);

}  // namespace kz8::mail
