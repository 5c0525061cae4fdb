// Links the seven functions through the import library by ordinal, as the
// mail library does, so that a test can read the import table it gets.
// Run without arguments it calls nothing.
#include "skinui/include/vexil2.h"

int main(int argc, char** argv) {
    if (argc < 3) return 0;
    char* name = argv[1];
    char text[vexil2::kItemTextBufferBytes] = {};
    Vexil_Create(nullptr, 0, argv[2], 0, 0, 1);
    Vexil_SetActiveTemplate(Vexil_GetCurrentTemplateName());
    Vexil_SetEditText(name, name);
    Vexil_GetEditText(name, text, int(sizeof text));
    Vexil_EnableWindow(name, 1);
    return Vexil_GetTemplateHWND(name) ? 0 : 1;
}
