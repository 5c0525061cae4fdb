#include "player/portable/link_command.h"

namespace kz8::player {

std::string handlerCommandLine(const std::string& command, const std::string& target) {
    if (command.find_first_not_of(" \t") == std::string::npos) return {};
    size_t cut = command.find("\"%1\"");
    if (cut == std::string::npos) cut = command.find("%1");
    std::string line = cut == std::string::npos ? command : command.substr(0, cut);
    return line + " " + target;
}

}  // namespace kz8::player
