#include "skinui/win32/template_painting.h"

#include "common/win32/dc_state.h"
#include "common/win32/dib_drawing.h"
#include "common/win32/handles.h"
#include "skinui/win32/button_behaviour.h"
#include "skinui/win32/check_behaviour.h"
#include "skinui/win32/list_box_behaviour.h"
#include "skinui/win32/picture_target.h"
#include "skinui/win32/popup_list.h"
#include "skinui/win32/scroll_bar_behaviour.h"

namespace kz8::skinui {

namespace {

void drawPictures(PictureTarget& target, const TemplateWindow& window) {
    const Template& record = window.record();
    if (record.background) target.draw(*record.background, 0, 0);
    // A combo's popup list draws its own bar and step buttons.
    for (const auto& button : record.buttons)
        if (!belongsToPopupList(window, *button)) drawButton(target, *button);
    for (const auto& bar : record.scrollBars)
        if (!belongsToPopupList(window, *bar)) drawScrollBar(target, *bar);
    for (const auto& list : record.listBoxes) drawListPicture(target, *list);
    for (const auto& box : record.checkBoxes) drawCheckBox(target, *box);
    for (const auto& radio : record.radioButtons) drawRadioButton(target, *radio);
}

}  // namespace

void paintTemplate(TemplateWindow& window) {
    PaintDc paint(window.window);
    const Template& record = window.record();
    if (record.hidden || !paint.get()) return;
    // The class's own DC keeps clip region and objects from one paint to
    // the next unless they are put back.
    DcStateGuard restored(paint.get());
    // Each drawing call costs about as much as a whole background here, so
    // the pictures are put together in memory and drawn in one call.
    if (Dib* canvas = window.canvas()) {
        CanvasPictures pictures(canvas->mutableView());
        drawPictures(pictures, window);
        drawDibBytes(paint.get(), *canvas, 0, 0);
    } else {
        DcPictures pictures(paint.get());
        drawPictures(pictures, window);
    }
    for (const auto& list : record.listBoxes)
        if (!list->hidden && !list->subControl) drawListLines(paint.get(), window, *list);
}

}  // namespace kz8::skinui
