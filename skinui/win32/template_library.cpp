#include "skinui/win32/template_library.h"

#include <algorithm>

#include "common/win32/module_function.h"
#include "skinui/portable/window_rules.h"
#include "skinui/win32/template_classes.h"

namespace kz8::skinui {

namespace {

constexpr int kLanguageNameBytes = 260;

std::string systemLanguageName() {
    char name[kLanguageNameBytes] = {};
    GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SENGLANGUAGE, name, sizeof name);
    return name;
}

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.data(),
                                                  int(a.size()), b.data(), int(b.size())) == 2;
}

}  // namespace

TemplateLibrary& TemplateLibrary::instance() {
    static TemplateLibrary library;
    return library;
}

HINSTANCE TemplateLibrary::moduleInstance() const {
    return moduleContaining(reinterpret_cast<const void*>(&TemplateLibrary::instance));
}

bool TemplateLibrary::initialise() {
    if (classesRegistered_) return true;
    if (!registerTemplateClasses(moduleInstance())) return false;
    classesRegistered_ = true;
    languageName_ = systemLanguageName();
    charSet_ = charSetOfLanguage(languageName_);
    return true;
}

void TemplateLibrary::unregisterClasses() {
    unregisterTemplateClasses(moduleInstance());
    classesRegistered_ = false;
}

TemplateWindow* TemplateLibrary::find(HWND window) const {
    for (const auto& each : templates_)
        if (each->window == window) return each.get();
    return nullptr;
}

TemplateWindow* TemplateLibrary::findByName(const std::string& name) const {
    for (const auto& each : templates_)
        if (sameName(each->record().name, name)) return each.get();
    return nullptr;
}

void TemplateLibrary::add(std::unique_ptr<TemplateWindow> window) {
    current_ = window.get();
    templates_.push_back(std::move(window));
}

void TemplateLibrary::retire(TemplateWindow& window) {
    auto found = std::find_if(templates_.begin(), templates_.end(),
                              [&](const auto& each) { return each.get() == &window; });
    if (found == templates_.end()) return;
    const size_t index = size_t(found - templates_.begin());
    if (current_ == &window) {
        const auto next = currentAfterDestroy(templates_.size(), index);
        current_ = next ? templates_[*next].get() : nullptr;
    }
    if (pendingClose_ == &window) pendingClose_ = nullptr;
    retired_.push_back(std::move(*found));
    templates_.erase(found);
}

void TemplateLibrary::freeRetired(TemplateWindow& window) {
    retired_.erase(std::remove_if(retired_.begin(), retired_.end(),
                                  [&](const auto& each) { return each.get() == &window; }),
                   retired_.end());
}

}  // namespace kz8::skinui
