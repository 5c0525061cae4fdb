// A button's tooltip laid out without a window: its text broken into lines,
// its size from the lines' measured widths, where it stands on the template
// and where its text sits inside it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "common/portable/rect.h"
#include "skinui/portable/template_values.h"
#include "skinui/portable/window_rules.h"

namespace kz8::skinui {

constexpr size_t kTipLineLength = 30;
constexpr int kTipMargin = 4;
constexpr int kTipBelowCentre = 18;

// The lines of a tip. Up to 30 characters make one line; a longer text is
// cut every n characters (n = 30, or for texts over 90 characters length /
// sqrt(0.6 x text width / line height) + 4): at a blank after the n-th or at
// the n-th, else after n - 1 characters with a hyphen; what is left is the
// last line. No cut falls inside a double-byte character.
std::vector<std::string> breakTipText(const std::string& text, int textWidth, int lineHeight,
                                      LeadByteTest isLeadByte);

struct TipMetrics {
    int charHeight = 0;
    int externalLeading = 0;
};
// Width: the widest line + 4; height: the lines, the leading between them, + 4.
Rect tipSize(const std::vector<int>& lineWidths, const TipMetrics& metrics);

// The tip's top-left corner on the template (client coordinates): below the
// button's centre, moved left or above the point where it would cross the
// template's right or bottom edge.
Point placeTip(Point buttonCentre, int tipWidth, int tipHeight, int templateWidth,
               int templateHeight);

// Where the text is drawn inside the tip: lower for East Asian texts, whose
// first byte is 0x80 or above in such a language.
Rect tipTextRect(int tipWidth, int tipHeight, bool eastAsianLanguage, const std::string& text);

}  // namespace kz8::skinui
