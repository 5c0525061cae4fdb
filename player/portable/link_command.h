// Turning a browser's registered open command into the command line that
// opens one address with it.
#pragma once

#include <string>

namespace kz8::player {

// Cuts the command at its first "\"%1\"" or, failing that, "%1", then
// appends a blank and the target; a command without a placeholder is kept
// whole. An empty command gives "": running the target itself as a program
// is never the answer.
std::string handlerCommandLine(const std::string& command, const std::string& target);

}  // namespace kz8::player
