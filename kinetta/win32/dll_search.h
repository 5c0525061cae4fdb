// A card is usually started from a downloads folder, where anyone may have
// left a DLL named like one the player or its media layer loads. Loading is
// kept to the system folder.
#pragma once

namespace kz8::player {

// Before anything else loads a library: the process's later loads, and the
// player's delay-loaded libraries, come from the system folder only.
void restrictDllSearchToSystemFolder();

}  // namespace kz8::player
