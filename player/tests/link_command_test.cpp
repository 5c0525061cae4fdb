// From a browser's registered open command to the line that opens the link.
#include <gtest/gtest.h>

#include "player/portable/link_command.h"

namespace kz8::player {
namespace {

TEST(HandlerCommandLine, DropsThePlaceholderAndAppendsTheTarget) {
    const std::string target = "http://www.example.com/kz8/";
    struct Case {
        const char* name;
        const char* command;
        std::string want;
    };
    const Case cases[] = {
        {"quoted placeholder", "\"C:\\Web\\browse.exe\" \"%1\"",
         "\"C:\\Web\\browse.exe\"  " + target},
        {"bare placeholder", "C:\\Web\\browse.exe %1", "C:\\Web\\browse.exe  " + target},
        {"no placeholder", "C:\\Web\\browse.exe -nohome", "C:\\Web\\browse.exe -nohome " + target},
        {"everything after the placeholder goes", "browse.exe \"%1\" -new",
         "browse.exe  " + target},
        {"quoted form wins over an earlier bare %1", "b%1x.exe \"%1\"", "b%1x.exe  " + target},
        {"empty command runs nothing", "", ""},
        {"blank command runs nothing", "   ", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(handlerCommandLine(c.command, target), c.want) << c.name;
}

}  // namespace
}  // namespace kz8::player
