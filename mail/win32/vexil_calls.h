// What the mail library needs of the template library beyond its exports:
// where the host's templates are, texts read in full, and a template made
// current for a while.
#pragma once

#include <windows.h>

#include <string>

namespace kz8::mail {

// "<this library's folder>\ui\<file>", as a writable text for Vexil_Create.
std::string hostTemplatePath(const char* file);
// An edit box of the current template, however long its text.
std::string templateEditText(const char* editName);

// Makes a template current, and the one that was current before again
// when it goes.
class ActiveTemplate {
public:
    explicit ActiveTemplate(const char* name);
    ~ActiveTemplate();
    ActiveTemplate(const ActiveTemplate&) = delete;
    ActiveTemplate& operator=(const ActiveTemplate&) = delete;

private:
    std::string before_;
};

}  // namespace kz8::mail
