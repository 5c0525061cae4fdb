// The library-wide state of the template windows, one per process: the
// classes, the system language and its character set, the templates in
// creation order, the current one and the one marked for closing. All of it
// belongs to the thread that owns the template windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skinui/win32/template_window.h"

namespace kz8::skinui {

class TemplateLibrary {
public:
    static TemplateLibrary& instance();

    // Registers the three classes and reads the system language; true at
    // once when that was done before.
    bool initialise();
    void unregisterClasses();
    bool classesRegistered() const { return classesRegistered_; }
    const std::string& languageName() const { return languageName_; }
    uint8_t charSet() const { return charSet_; }
    // The module holding this code: the DLL in the product, the program in tests.
    HINSTANCE moduleInstance() const;

    const std::vector<std::unique_ptr<TemplateWindow>>& templates() const { return templates_; }
    TemplateWindow* find(HWND window) const;
    // The first open template of that name, any case.
    TemplateWindow* findByName(const std::string& name) const;
    TemplateWindow* current() const { return current_; }
    void makeCurrent(TemplateWindow* window) { current_ = window; }
    TemplateWindow* pendingClose() const { return pendingClose_; }
    void markForClosing(TemplateWindow* window) { pendingClose_ = window; }

    // Appended to the list and made current.
    void add(std::unique_ptr<TemplateWindow> window);
    // Out of the list, the current template moved on and the closing mark
    // cleared; freed once its last handler has ended.
    void retire(TemplateWindow& window);
    void freeRetired(TemplateWindow& window);

    // Clear from just before a template window is created until it has
    // handled WM_CREATE: windows without a record then get default handling.
    bool creationDone() const { return creationDone_; }
    void setCreationDone(bool done) { creationDone_ = done; }

    std::string lastErrorText;

    // The library's live templates, tips and file cursors, for leak checks
    // (Wine's GetGuiResources counts nothing).
    int liveObjects() const { return liveObjects_; }
    void objectCreated() { ++liveObjects_; }
    void objectDestroyed() { --liveObjects_; }

private:
    TemplateLibrary() = default;

    bool classesRegistered_ = false;
    std::string languageName_;
    uint8_t charSet_ = 0;
    std::vector<std::unique_ptr<TemplateWindow>> templates_;
    std::vector<std::unique_ptr<TemplateWindow>> retired_;
    TemplateWindow* current_ = nullptr;
    TemplateWindow* pendingClose_ = nullptr;
    bool creationDone_ = true;
    int liveObjects_ = 0;
};

}  // namespace kz8::skinui
