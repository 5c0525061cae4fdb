#include "skinui/win32/template_painting.h"

#include "common/win32/dc_state.h"
#include "common/win32/dib_drawing.h"
#include "common/win32/handles.h"
#include "skinui/win32/button_behaviour.h"
#include "skinui/win32/check_behaviour.h"
#include "skinui/win32/list_box_behaviour.h"
#include "skinui/win32/popup_list.h"
#include "skinui/win32/scroll_bar_behaviour.h"

namespace kz8::skinui {

void paintTemplate(const TemplateWindow& window) {
    PaintDc paint(window.window);
    const Template& record = window.record();
    if (record.hidden || !paint.get()) return;
    // The class's own DC keeps clip region and objects from one paint to
    // the next unless they are put back.
    DcStateGuard restored(paint.get());
    if (record.background) drawDibBytes(paint.get(), *record.background, 0, 0);
    // A combo's popup list draws its own bar and step buttons.
    for (const auto& button : record.buttons)
        if (!belongsToPopupList(window, *button)) drawButton(paint.get(), *button);
    for (const auto& bar : record.scrollBars)
        if (!belongsToPopupList(window, *bar)) drawScrollBar(paint.get(), *bar);
    for (const auto& list : record.listBoxes) drawListBox(paint.get(), window, *list);
    for (const auto& box : record.checkBoxes) drawCheckBox(paint.get(), *box);
    for (const auto& radio : record.radioButtons) drawRadioButton(paint.get(), *radio);
}

}  // namespace kz8::skinui
