// Masked buttons: their state pictures blended once over the background
// under RECT through the button's 8-bit mask, and the hit test that lets the
// pointer hit only where the mask is fully on. Buttons, cursors and the
// library's is-the-mouse-on-this-control call share the one hit test.
#pragma once

#include <optional>

#include "common/portable/dib.h"
#include "common/portable/rect.h"

namespace kz8::skinui {

// Whether the point (template coordinates) hits a button at rect with this
// mask: inside rect and, with an 8-bit mask, on a mask pixel of exactly 255
// (rows counted from the top, as on screen). A mask of another depth counts
// as none.
bool hitsMaskedButton(const Rect& rect, const std::optional<Dib>& mask, int x, int y);

// The state picture over the piece of background under rect, through mask:
// a mask value v weighs the picture by floor(v * 256 / 255) / 256. Where the
// mask does not reach, the background shows; where the state picture does
// not reach, white is blended; where rect leaves the background, the state
// pixel stays. Nothing for combinations the blend does not define (a mask
// that is not 8-bit, 1- or 4-bit pictures, an 8-bit state picture over a
// 24-bit background): the state picture then stays as it is.
std::optional<Dib> blendThroughMask(const Dib& background, const Rect& rect, const Dib& state,
                                    const Dib& mask);

}  // namespace kz8::skinui
