// Where a template's pictures are drawn: straight into a device context
// (a single control redrawn), or into the template's canvas, which a paint
// then puts on the screen in one call.
#pragma once

#include <windows.h>

#include "common/portable/dib_canvas.h"

namespace kz8::skinui {

class PictureTarget {
public:
    virtual ~PictureTarget() = default;
    virtual void draw(const Dib& picture, int x, int y, const CanvasClip& clip = {}) = 0;
};

class DcPictures : public PictureTarget {
public:
    explicit DcPictures(HDC dc) : dc_(dc) {}
    void draw(const Dib& picture, int x, int y, const CanvasClip& clip = {}) override;

private:
    HDC dc_;
};

class CanvasPictures : public PictureTarget {
public:
    explicit CanvasPictures(MutableDibView canvas) : canvas_(canvas) {}
    void draw(const Dib& picture, int x, int y, const CanvasClip& clip = {}) override {
        drawOnCanvas(canvas_, picture.view(), x, y, clip);
    }

private:
    MutableDibView canvas_;
};

}  // namespace kz8::skinui
