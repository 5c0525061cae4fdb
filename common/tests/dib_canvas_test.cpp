// Pictures drawn onto a canvas land as a device draws them: cut at the
// canvas's edges, kept inside and out of the clip's rectangles, palette
// pictures through their colours, an index past the table black.
#include <gtest/gtest.h>

#include "common/portable/dib_canvas.h"

namespace kz8 {
namespace {

// The canvas as text, a letter a pixel by its blue byte: '.' for 0.
std::vector<std::string> rowsOf(const Dib& canvas) {
    std::vector<std::string> rows;
    const DibView view = canvas.view();
    for (uint32_t y = 0; y < view.height(); ++y) {
        std::string row;
        for (uint32_t x = 0; x < view.width(); ++x) {
            const uint8_t blue = view.row(y)[3 * x];
            row += blue ? char(blue) : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

Dib filled(int width, int height, char letter) {
    Dib picture = *Dib::create(width, height, 24);
    MutableDibView view = picture.mutableView();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) view.row(uint32_t(y))[3 * x] = uint8_t(letter);
    return picture;
}

TEST(DibCanvas, CutAtTheEdgesAndByTheClip) {
    Dib canvas = *Dib::create(6, 4, 24);
    drawOnCanvas(canvas.mutableView(), filled(3, 2, 'a').view(), -1, -1);
    drawOnCanvas(canvas.mutableView(), filled(3, 3, 'b').view(), 4, 2);
    CanvasClip clip;
    clip.keepInside = Rect{1, 1, 4, 4};
    clip.leaveOut = Rect{2, 2, 3, 3};
    drawOnCanvas(canvas.mutableView(), filled(5, 5, 'c').view(), 0, 0, clip);
    EXPECT_EQ(rowsOf(canvas), (std::vector<std::string>{"aa....",  //
                                                        ".ccc..",  //
                                                        ".c.cbb",  //
                                                        ".cccbb"}));
}

TEST(DibCanvas, PalettePicturesThroughTheirColours) {
    // 4 x 1 at 4 bits: indexes 1, 0, 2 (past a two-entry table), 1.
    Dib picture = *Dib::create(4, 1, 4, 2);
    MutableDibView view = picture.mutableView();
    uint8_t* table = view.bytes() + kDibHeaderSize;
    table[4 * 0] = 'x';
    table[4 * 1] = 'y';
    view.row(0)[0] = 0x10;
    view.row(0)[1] = 0x21;
    Dib canvas = *Dib::create(4, 1, 24);
    drawOnCanvas(canvas.mutableView(), filled(4, 1, 'z').view(), 0, 0);
    drawOnCanvas(canvas.mutableView(), picture.view(), 0, 0);
    EXPECT_EQ(rowsOf(canvas), (std::vector<std::string>{"yx.y"}));
}

}  // namespace
}  // namespace kz8
