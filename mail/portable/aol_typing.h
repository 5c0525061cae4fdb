// What the AOL automation types into the client's "Attach" box, and which
// client version an installation folder names.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace kz8::mail {

struct TypedCharacter {
    unsigned code = 0;
    bool ime = false;  // a double-byte character as one WM_IME_CHAR
};

// Three blanks first unless the version is 6; a lead byte of the code page
// goes with the byte after it (whatever that byte is) as one IME
// character; every other byte, and a lead byte at the very end, alone.
std::vector<TypedCharacter> typingSequence(const std::string& path, int version,
                                           const std::function<bool(uint8_t)>& isLeadByte);

// The digit three places before the end of the folder ("...Online 6.0"
// gives 6); 5 when there is none.
int aolVersionFromFolder(const std::string& folder);

}  // namespace kz8::mail
