// What the player's buttons do: Play, Stop, Turn, Print, Close and the link.
#pragma once

#include "player/win32/button_bar.h"

namespace kz8::player {

ButtonBarActions playerButtonActions();
int OnLinkButton();

}  // namespace kz8::player
