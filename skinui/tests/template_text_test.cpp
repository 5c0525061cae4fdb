// Template texts against the parser and its checks: each case's whole
// lastErrorText, blanks and all, or that it loads.
#include <gtest/gtest.h>

#include <string>

#include "skinui/portable/template_builder.h"
#include "skinui/tests/template_test_support.h"

namespace kz8::skinui {
namespace {

const std::string kTemplate = "[TEMPLATE]\nNAME=Main\nFILENAME=bg.bmp\n";
const std::string kButton =
    "[BUTTON]\nNAME=Ok\nREGSTATE=ok.bmp\nDOWNSTATE=ok.bmp\nRECT=1,1,20,20\nACTION=1\nLINK=\n";

// "" when the text loads, else its error text.
std::string loadError(const std::string& text) {
    testkit::MemoryResources resources;
    LoadResult result = loadTemplateText(text, resources);
    if (result.loaded) return "";
    return result.error.text();
}

TEST(TemplateText, EachRuleWithItsMessage) {
    const std::string longName(64, 'n');
    const std::string longWord(150, 'w');
    struct Case {
        const char* name;
        std::string text;
        std::string error;
    } cases[] = {
        {"the least template", kTemplate, ""},
        {"a form of every rule", kTemplate + kButton, ""},
        {"lower-case keys and headers", "[template]\nname=Main\nfilename=bg.bmp\n", ""},
        {"a key before any section", "NAME=Main\n" + kTemplate, "ERROR! ID=10 LINE=1 missing '['!"},
        {"a header without ]", "[TEMPLATE\nNAME=Main\n", "ERROR! ID=11 LINE=1 missing ']'!"},
        {"an unknown section", "// x\n[WINDOW]\n",
         "ERROR! ID=13 LINE=2 [WINDOW] is a unknow CTRL name."},
        {"a key line without =", kTemplate + "ISHIDE 1\n", "ERROR! ID=14 LINE=4 missing '='"},
        {"an unknown key", kTemplate + "COLOUR=1\n", "ERROR! ID=15 LINE=4 unknow key word COLOUR"},
        {"a hyphen outside quotes", kTemplate + "CAPTION=A - B\n",
         "ERROR! ID=12 LINE=4 unknown character -"},
        {"a hyphen inside quotes", kTemplate + "CAPTION=\"A - B\"\n", ""},
        {"// inside quotes cuts the line", kTemplate + "CAPTION=\"a // b\"\n",
         "ERROR! ID=16 LINE=4 missing  "},
        {"a second [TEMPLATE]", kTemplate + "\n" + kTemplate,
         "ERROR! ID=24 LINE=5 too many TEMPLATE!"},
        {"values are checked before the first section is", kButton + "RECT=10,10,10,40\n",
         "ERROR! ID=3 LINE=8 10,10,10,40 is invalid  rectangle value "},
        {"no [TEMPLATE] first", kButton, "ERROR! ID=25 Need a TEMPLATE at first!"},
        {"a rectangle of four fields only", kTemplate + "MOVERECT=1,2,3\n",
         "ERROR! ID=3 LINE=4 1,2,3 is invalid  rectangle value "},
        {"an equal range",
         kTemplate + "[SCROLLBAR]\nNAME=B\nSCROLLREGIMG=b.bmp\nSLIDENAME=T\nVERTICAL=1\n"
                     "RANGE=5,5\n",
         ""},
        {"a falling range",
         kTemplate + "[SCROLLBAR]\nNAME=B\nSCROLLREGIMG=b.bmp\nSLIDENAME=T\nVERTICAL=1\n"
                     "RANGE=5,4\n",
         "ERROR! ID=1 LINE=9 invalid number"},
        {"a colour part of 256", kTemplate + "[EDITBOX]\nNAME=E\nBACKCOLOR=0,128,256\n",
         "ERROR! ID=4 LINE=6 invalid color value "},
        {"an integer of two fields", kTemplate + "ISHIDE=1,2\n", ""},
        {"an empty integer", kTemplate + "ISHIDE=\n", ""},
        {"a letter in an integer", kTemplate + "ISHIDE=x\n", "ERROR! ID=1 LINE=4 invalid number"},
        {"an integer of eleven digits", kTemplate + "ISHIDE=12345678901\n",
         "ERROR! ID=1 LINE=4 invalid number"},
        {"a button without LINK",
         kTemplate + "[BUTTON]\nNAME=Ok\nREGSTATE=ok.bmp\n"
                     "DOWNSTATE=ok.bmp\nRECT=1,1,20,20\nACTION=1\n",
         "ERROR! ID=17 LINE=4 the [BUTTON]missing the key  LINK "},
        {"an empty required value", kTemplate + "[BUTTON]\nNAME=Ok\nACTION=\n",
         "ERROR! ID=18 LINE=6 the key ACTION''s value can not be empty "},
        {"a key the section does not take", kTemplate + kButton + "CAPTION=x\n",
         "ERROR! ID=23 LINE=11  CAPTION is a unknown [BUTTON]  Key word!"},
        {"FPH, which no section takes", kTemplate + "fph=1\n",
         "ERROR! ID=23 LINE=4  FPH is a unknown [TEMPLATE]  Key word!"},
        {"an unknown command", kTemplate + kButton + "COMMAND=Explode, A\n",
         "ERROR! ID=28 LINE=11 Explode is a unknow command!"},
        {"CloseWindow without a target", kTemplate + kButton + "COMMAND=CloseWindow\n",
         "ERROR! ID=26 LINE=11 missing paramater!"},
        {"EnableWindow without a flag", kTemplate + kButton + "COMMAND=EnableWindow, OK\n",
         "ERROR! ID=26 LINE=11 missing paramater!"},
        {"EnableWindow with another flag",
         kTemplate + kButton + "COMMAND=enablewindow, OK, MAYBE\n",
         "ERROR! ID=27 LINE=11 invalid paramater!"},
        {"a 64-character NAME", kTemplate + "[IMGWINDOW]\nNAME=" + longName + "\nRECT=1,1,2,2\n",
         "ERROR! ID=13 LINE=5 " + longName + " is a unknow CTRL name."},
        {"a 300-character LINK", kTemplate + kButton + "LINK=" + std::string(300, 'l') + "\n",
         "ERROR! ID=2 LINE=11 invalid file name or the file has not exited"},
        {"a 150-character command word", kTemplate + kButton + "COMMAND=" + longWord + ",A\n",
         "ERROR! ID=28 LINE=11 " + std::string(100, 'w') + " is a unknow command!"},
        {"format directives are text", kTemplate + "CAPTION=\"%s%s%n\"\n", ""},
        {"a backslash pair is dropped", kTemplate + "CAPTION=a\\-b\n", ""},
        {"a backslash as the last byte", kTemplate + "ISHIDE=1\\", ""},
        {"no background picture", "[TEMPLATE]\nNAME=Main\n\nFILENAME=missing.bmp\n",
         "ERROR! ID=2 LINE=4 invalid file name or the file has not exited"},
        {"an empty text", "", "ERROR! ID=25 Need a TEMPLATE at first!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(loadError(c.text), c.error);
    }
}

TEST(TemplateText, LinesCountEveryBreakKindAndEveryContinuation) {
    // The unknown key stands on the fifth physical line each time.
    struct Case {
        const char* name;
        std::string text;
    } cases[] = {
        {"LF", "[TEMPLATE]\nNAME=Main\n\nFILENAME=bg.bmp\nBAD=1\n"},
        {"CR", "[TEMPLATE]\rNAME=Main\r\rFILENAME=bg.bmp\rBAD=1\r"},
        {"CR LF", "[TEMPLATE]\r\nNAME=Main\r\n\r\nFILENAME=bg.bmp\r\nBAD=1\r\n"},
        {"a continued line", "[TEMPLATE]\nNAME=Ma\\\nin\nFILENAME=bg.bmp\nBAD=1\n"},
        {"a continued line with CR LF",
         "[TEMPLATE]\r\nNAME=Ma\\\r\nin\r\nFILENAME=bg.bmp\r\nBAD=1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(loadError(c.text), "ERROR! ID=15 LINE=5 unknow key word BAD");
    }
}

TEST(TemplateText, HostileTextsGiveBoundedMessages) {
    const std::string hugeKey(5000, 'K');
    const std::string text = loadError(kTemplate + hugeKey + "=1\n");
    EXPECT_EQ(text.size(), kErrorTextBytes - 1);
    EXPECT_EQ(text.rfind("ERROR! ID=15 LINE=4 unknow key word KKK", 0), 0u);
    // A value that looks like a format stays text in the message.
    EXPECT_EQ(loadError("[%s%n]\n"), "ERROR! ID=12 LINE=1 unknown character %");
    EXPECT_EQ(loadError("[\"%s%n\"]\n"), "ERROR! ID=13 LINE=1 [\"%s%n\"] is a unknow CTRL name.");
}

}  // namespace
}  // namespace kz8::skinui
