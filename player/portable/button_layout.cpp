#include "player/portable/button_layout.h"

namespace kz8::player {
namespace {
// Inside the bar: the buttons' top and bottom margins, the first button's
// left margin, the widths, and the gaps between neighbours.
constexpr int kButtonTopInset = 4;
constexpr int kButtonBottomInset = 3;
constexpr int kFirstButtonInset = 3;
constexpr int kNarrowButtonWidth = 17;
constexpr int kWideButtonWidth = 23;
constexpr int kNeighbourGap = 1;
constexpr int kCloseGap = 10;  // keeps Close apart from the others

struct Slot {
    int width;
    int gapBefore;
};
constexpr std::array<Slot, kBarButtonCount> kSlots{{{kNarrowButtonWidth, kFirstButtonInset},
                                                    {kNarrowButtonWidth, kNeighbourGap},
                                                    {kWideButtonWidth, kNeighbourGap},
                                                    {kWideButtonWidth, kNeighbourGap},
                                                    {kNarrowButtonWidth, kCloseGap}}};
}  // namespace

ButtonBarLayout layOutButtonBar(const CardRect& card, int barWidth, int barHeight) {
    ButtonBarLayout layout;
    layout.bar = {card.right - barWidth, card.top - kBarGap - barHeight, card.right,
                  card.top - kBarGap};
    int x = layout.bar.left;
    for (int i = 0; i < kBarButtonCount; ++i) {
        x += kSlots[i].gapBefore;
        layout.buttons[i] = {x, layout.bar.top + kButtonTopInset, x + kSlots[i].width,
                             layout.bar.bottom - kButtonBottomInset};
        x += kSlots[i].width;
    }
    return layout;
}

LinkBarLayout layOutLinkBar(const CardRect& card, int stripWidth, int stripHeight, int linkWidth) {
    LinkBarLayout layout;
    layout.strip = {card.right - stripWidth, card.bottom + kStripGap, card.right,
                    card.bottom + kStripGap + stripHeight};
    layout.link = layout.strip;
    layout.link.left = layout.strip.right - linkWidth;
    return layout;
}

}  // namespace kz8::player
