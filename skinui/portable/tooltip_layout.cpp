#include "skinui/portable/tooltip_layout.h"

#include <algorithm>
#include <cmath>

namespace kz8::skinui {

namespace {

constexpr size_t kLongTip = 90;
constexpr size_t kLineAddition = 4;
constexpr double kShapeFactor = 0.6;

// The largest cut at or before want that falls between two characters.
size_t characterBoundary(const std::string& text, size_t want, LeadByteTest isLeadByte) {
    if (!isLeadByte) return want;
    size_t at = 0;
    while (at < want) {
        const size_t width = isLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
        if (at + width > want) break;
        at += width;
    }
    return at;
}

size_t lineLength(const std::string& text, int textWidth, int lineHeight) {
    if (text.size() <= kLongTip || lineHeight <= 0) return kTipLineLength;
    const double root = std::sqrt(kShapeFactor * textWidth / lineHeight);
    if (root == 0.0) return kTipLineLength;
    return size_t(double(text.size()) / root) + kLineAddition;
}

}  // namespace

std::vector<std::string> breakTipText(const std::string& text, int textWidth, int lineHeight,
                                      LeadByteTest isLeadByte) {
    if (text.size() <= kTipLineLength) return {text};
    const size_t n = std::max<size_t>(lineLength(text, textWidth, lineHeight), 2);
    std::vector<std::string> lines;
    std::string rest = text;
    while (rest.size() >= n) {
        if (rest.size() > n && rest[n] == ' ') {
            lines.push_back(rest.substr(0, n + 1));
            rest.erase(0, n + 1);
        } else if (rest[n - 1] == ' ') {
            lines.push_back(rest.substr(0, n));
            rest.erase(0, n);
        } else {
            const size_t cut = characterBoundary(rest, n - 1, isLeadByte);
            lines.push_back(rest.substr(0, cut) + "-");
            rest.erase(0, cut);
        }
    }
    lines.push_back(rest);
    return lines;
}

Rect tipSize(const std::vector<int>& lineWidths, const TipMetrics& metrics) {
    const int lines = int(lineWidths.size());
    const int widest =
        lineWidths.empty() ? 0 : *std::max_element(lineWidths.begin(), lineWidths.end());
    const int height =
        lines * metrics.charHeight + std::max(0, lines - 1) * metrics.externalLeading;
    return Rect{0, 0, widest + kTipMargin, height + kTipMargin};
}

Point placeTip(Point buttonCentre, int tipWidth, int tipHeight, int templateWidth,
               int templateHeight) {
    Point corner{buttonCentre.x, buttonCentre.y + kTipBelowCentre};
    // Ending one pixel inside the right edge; above the point, its bottom 4
    // pixels above it, at the bottom edge.
    if (corner.x + tipWidth > templateWidth) corner.x = templateWidth - 1 - tipWidth;
    if (corner.y + tipHeight > templateHeight) corner.y = buttonCentre.y - kTipMargin - tipHeight;
    return corner;
}

Rect tipTextRect(int tipWidth, int tipHeight, bool eastAsianLanguage, const std::string& text) {
    const bool doubleByte =
        eastAsianLanguage && !text.empty() && static_cast<unsigned char>(text[0]) >= 0x80;
    if (doubleByte) return Rect{2, 2, tipWidth - 2, tipHeight - 2};
    return Rect{2, -1, tipWidth - 2, tipHeight - 6};
}

}  // namespace kz8::skinui
