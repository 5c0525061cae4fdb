// A failed template load as a value: the error id, the line it was found at
// and the texts its message takes, and the one place where that becomes the
// library's "ERROR! ID=%d LINE=%d " text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kz8::skinui {

constexpr int32_t kNoLine = -1;
// The size of the library's lastErrorText buffer, NUL included.
constexpr size_t kErrorTextBytes = 1024;

enum ParseErrorId : int32_t {
    kErrorInvalidNumber = 1,
    kErrorInvalidFile = 2,
    kErrorInvalidRect = 3,
    kErrorInvalidColour = 4,
    kErrorNoFullPath = 5,
    kErrorNotDtp = 6,
    kErrorCannotOpen = 7,
    kErrorNoMemory = 8,
    kErrorReadFailed = 9,
    kErrorMissingOpenBracket = 10,
    kErrorMissingCloseBracket = 11,
    kErrorUnknownCharacter = 12,
    kErrorUnknownSection = 13,
    kErrorMissingEquals = 14,
    kErrorUnknownKey = 15,
    kErrorOpenQuote = 16,
    kErrorMissingKey = 17,
    kErrorEmptyValue = 18,
    kErrorKeyNotInSection = 23,
    kErrorSecondTemplate = 24,
    kErrorTemplateNotFirst = 25,
    kErrorMissingParameter = 26,
    kErrorInvalidParameter = 27,
    kErrorUnknownCommand = 28,
};

struct ParseError {
    int32_t id = 0;
    int32_t line = kNoLine;
    // In the order the message's %s and %c take them.
    std::vector<std::string> arguments;

    // The composed text, at most kErrorTextBytes - 1 bytes. Arguments are put
    // in as they are: a "%s" inside one stays text.
    std::string text() const;
};

// The message of an id with its %s and %c still in it; "" for an unknown id.
const char* errorMessage(int32_t id);

}  // namespace kz8::skinui
