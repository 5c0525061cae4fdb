#include "skinui/win32/button_click.h"

#include <mmsystem.h>
#include <windows.h>

#include <cctype>

#include "skinui/portable/button_link.h"
#include "skinui/win32/control_enabling.h"
#include "skinui/win32/template_creation.h"
#include "skinui/win32/template_library.h"

namespace kz8::skinui {

namespace {

bool isWord(const std::string& text, const char* word) {
    return lstrcmpiA(text.c_str(), word) == 0;
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool enablesIt(const ButtonCommand& command) {
    std::string flag = command.arguments.empty() ? std::string() : command.arguments.front();
    for (char& c : flag) c = char(std::tolower(static_cast<unsigned char>(c)));
    return flag == "true" || flag == "1";
}

}  // namespace

void playTemplateSound(const TemplateWindow& window, const std::string& fileName) {
    if (fileName.empty()) return;
    // The load's switch to the template's folder is over by the time of a click.
    const std::string beside = window.folder() + fileName;
    const std::string& path = fileExists(beside) ? beside : fileName;
    PlaySoundA(path.c_str(), nullptr, SND_FILENAME | SND_NODEFAULT | SND_NOSTOP | SND_NOWAIT);
}

void openButtonLink(const TemplateWindow& window, const Button& button) {
    const auto linked = linkedTemplatePath(window.record().path, button.link);
    if (!linked) return;
    const TemplateWindow* current = TemplateLibrary::instance().current();
    const Point at = current ? current->position : window.position;
    openTemplateWindow(window.owner, window.style, *linked, at.x, at.y, 0);
}

bool runButtonCommands(TemplateWindow& window, const Button& button) {
    for (const ButtonCommand& command : button.commands) {
        if (isWord(command.command, "EnableWindow")) {
            enableNamed(command.target, enablesIt(command));
        } else if (isWord(command.command, "CloseWindow")) {
            TemplateWindow* target = TemplateLibrary::instance().findByName(command.target);
            if (!target) continue;
            const bool own = target == &window;
            SendMessageA(target->window, WM_CLOSE, 0, 0);
            if (own) return window.closed();
        }
        if (window.closed()) return true;
    }
    return false;
}

}  // namespace kz8::skinui
