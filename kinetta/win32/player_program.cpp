#include "kinetta/win32/player_program.h"

namespace kz8::player {

PlayerProgram& playerProgram() {
    static PlayerProgram program;
    return program;
}

}  // namespace kz8::player
