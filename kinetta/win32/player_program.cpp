#include "kinetta/win32/player_program.h"

namespace kz8 {

PlayerProgram& playerProgram() {
    static PlayerProgram program;
    return program;
}

}  // namespace kz8
