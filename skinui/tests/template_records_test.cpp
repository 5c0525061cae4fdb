// Templates built into their records: every kind from the form template with
// the defaults the file leaves, group buttons, the slide cube's attachment,
// file order, and every committed template loading.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "skinui/portable/template_builder.h"
#include "skinui/tests/template_test_support.h"

namespace kz8::skinui {
namespace {

using testkit::pictureWidth;

std::string templateText(const std::string& name) {
    std::ifstream in(std::string(KZ8_TEMPLATES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(TemplateRecords, TheFormBuildsEveryKindWithItsDefaults) {
    testkit::MemoryResources resources;
    LoadResult result = loadTemplateText(templateText("form.dtp"), resources);
    ASSERT_TRUE(result.loaded) << result.error.text();
    const Template& t = *result.loaded;
    EXPECT_EQ(t.name, "Form");
    EXPECT_EQ(t.caption, "Send a card - now");
    EXPECT_EQ(t.hidden, 1) << "ISHIDE 1,2 reads its first field";
    EXPECT_EQ(t.moveRect, (Rect{0, 0, 400, 24}));
    EXPECT_EQ(pictureWidth(t.background), int(std::string("form_bg.bmp").size()));
    EXPECT_TRUE(t.templateCursor);
    EXPECT_FALSE(t.buttonCursor) << "no CURSORONBTN: the arrow";

    ASSERT_EQ(t.buttons.size(), 3u);
    const Button& send = *t.buttons[0];
    EXPECT_EQ(send.name, "Send");
    EXPECT_EQ(send.owner, &t);
    EXPECT_EQ(send.state, kButtonNormal);
    EXPECT_EQ(send.action, 1001);
    EXPECT_EQ(send.style, 4);
    EXPECT_EQ(send.rect, (Rect{10, 200, 90, 224}));
    EXPECT_EQ(pictureWidth(send.rollState), pictureWidth(send.regState)) << "a copy of REGSTATE";
    EXPECT_EQ(pictureWidth(send.downState), int(std::string("send_down.bmp").size()));
    EXPECT_EQ(pictureWidth(send.invalidState), -1);
    EXPECT_EQ(send.tipContents, "Send the card");
    EXPECT_EQ(send.downSound, "click.wav");
    ASSERT_EQ(send.commands.size(), 2u);
    EXPECT_EQ(send.commands[0].command, "EnableWindow");
    EXPECT_EQ(send.commands[0].target, "Cancel");
    EXPECT_EQ(send.commands[0].arguments, std::vector<std::string>{"FALSE"});
    EXPECT_EQ(send.commands[1].target, "Address");
    EXPECT_FALSE(dynamic_cast<const GroupButton*>(&send));
    const auto* tab = dynamic_cast<const GroupButton*>(t.buttons[1].get());
    ASSERT_TRUE(tab) << "GROUPNUMBER 3 makes a group button";
    EXPECT_EQ(tab->groupNumber, 3);
    EXPECT_EQ(tab->link, "next.dtp");
    EXPECT_FALSE(dynamic_cast<const GroupButton*>(t.buttons[2].get())) << "no GROUPNUMBER";

    ASSERT_EQ(t.scrollBars.size(), 1u);
    const ScrollBar& bar = *t.scrollBars[0];
    EXPECT_EQ(bar.minimum, 5);
    EXPECT_EQ(bar.maximum, 5);
    EXPECT_EQ(bar.vertical, 1);
    EXPECT_EQ(bar.addButton, "Down");
    EXPECT_EQ(pictureWidth(bar.invalidImage), pictureWidth(bar.regImage));
    ASSERT_TRUE(bar.thumb) << "the slide cube after the bar is its thumb";
    EXPECT_EQ(bar.thumb->name, "Thumb");
    EXPECT_EQ(bar.thumb->thumbRect, (Rect{0, 0, int(std::string("thumb.bmp").size()), 3}));
    EXPECT_EQ(pictureWidth(bar.thumb->downImage), pictureWidth(bar.thumb->regImage));

    ASSERT_EQ(t.editBoxes.size(), 1u);
    EXPECT_EQ(t.editBoxes[0]->backColour, 0u + 128u * 256u + 255u * 65536u);
    EXPECT_EQ(t.editBoxes[0]->textColour, kWhite);
    EXPECT_EQ(t.editBoxes[0]->alignStyle, 2);

    ASSERT_EQ(t.listBoxes.size(), 1u);
    const ListBox& list = *t.listBoxes[0];
    EXPECT_EQ(list.multiSelect, 1);
    EXPECT_EQ(list.rollColour, kWhite);
    EXPECT_EQ(list.selectColour, 255u);
    EXPECT_EQ(list.rollLine, -1);
    EXPECT_TRUE(list.items.empty()) << "an item with a comma in it leaves the list empty";

    ASSERT_EQ(t.checkBoxes.size(), 1u);
    EXPECT_EQ(t.checkBoxes[0]->state, kUnchecked);
    EXPECT_EQ(pictureWidth(t.checkBoxes[0]->invalidChecked),
              pictureWidth(t.checkBoxes[0]->checked));
    ASSERT_EQ(t.radioButtons.size(), 1u);
    EXPECT_EQ(t.radioButtons[0]->groupNumber, 2);
    EXPECT_EQ(t.radioButtons[0]->defaultButton, 1);
    EXPECT_EQ(pictureWidth(t.radioButtons[0]->invalidChecked),
              int(std::string("dot_grey.bmp").size()));
    EXPECT_EQ(pictureWidth(t.radioButtons[0]->invalidUnchecked),
              pictureWidth(t.radioButtons[0]->unchecked));
    ASSERT_EQ(t.comboBoxes.size(), 1u);
    EXPECT_EQ(t.comboBoxes[0]->toggleButton, "Tab1");
    EXPECT_EQ(t.comboBoxes[0]->popupList, "");
    ASSERT_EQ(t.imgWindows.size(), 1u);
    EXPECT_EQ(t.imgWindows[0]->rect, (Rect{240, 30, 370, 190}));
}

TEST(TemplateRecords, InitDataListsAndCutsTexts) {
    struct Case {
        const char* name;
        std::string value;
        std::vector<std::string> items;
    } cases[] = {
        {"quoted items", "\"Ann\", \"Bob Smith\",\"\"", {"Ann", "Bob Smith", ""}},
        {"one item unquoted", "\"Ann\",Bob", {}},
        {"a long item is cut", "\"" + std::string(300, 'x') + "\"", {std::string(255, 'x')}},
        {"over 1000 characters", "\"" + std::string(1000, 'x') + "\"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testkit::MemoryResources resources;
        const std::string text =
            "[TEMPLATE]\nNAME=T\nFILENAME=bg.bmp\n[LISTBOX]\nNAME=L\n"
            "IMAGEFILE=l.bmp\nLISTRECT=1,1,9,9\nLINEHEIGHT=1\n"
            "NORMALCOLOR=0,0,0\nSELECTCOLOR=1,1,1\n"
            "ASSOCIATE_SCROLL_VERTICAL=\nINITDATA=" +
            c.value + "\n";
        LoadResult result = loadTemplateText(text, resources);
        ASSERT_TRUE(result.loaded) << result.error.text();
        std::vector<std::string> items;
        const ListModel& list = result.loaded->listBoxes[0]->items;
        for (size_t i = 0; i < list.count(); ++i) items.push_back(list.at(i).text);
        EXPECT_EQ(items, c.items);
    }
}

TEST(TemplateRecords, ACutKeepsDoubleByteCharactersWhole) {
    // 0x81 leads a pair in this test's code page: 62 single bytes then a
    // pair would end at byte 64, past the 63 a caption holds.
    const std::string caption = std::string(62, 'a') + "\x81\x40";
    BuildOptions options;
    options.isLeadByte = [](unsigned char c) { return c == 0x81; };
    testkit::MemoryResources resources;
    LoadResult result = loadTemplateText(
        "[TEMPLATE]\nNAME=T\nFILENAME=bg.bmp\nCAPTION=\"" + caption + "\"\n", resources, options);
    ASSERT_TRUE(result.loaded) << result.error.text();
    EXPECT_EQ(result.loaded->caption, std::string(62, 'a'));
}

TEST(TemplateRecords, SlideCubeBeforeAnyBarAndRepeatedKeys) {
    testkit::MemoryResources resources;
    LoadResult result = loadTemplateText(
        "[TEMPLATE]\nNAME=First\nNAME=Last\nFILENAME=bg.bmp\n"
        "[SLIDECUBE]\nNAME=Lost\nSLIDEREGIMG=cube.bmp\n"
        "[IMGWINDOW]\nNAME=B\nRECT=1,1,2,2\n[IMGWINDOW]\nNAME=A\nRECT=1,1,3,3\n",
        resources);
    ASSERT_TRUE(result.loaded) << result.error.text();
    EXPECT_EQ(result.loaded->name, "Last") << "the last of a repeated key wins";
    EXPECT_TRUE(result.loaded->scrollBars.empty());
    ASSERT_EQ(result.loaded->imgWindows.size(), 2u);
    EXPECT_EQ(result.loaded->imgWindows[0]->name, "B") << "file order";
    result.loaded.reset();
    EXPECT_EQ(resources.cursorsAlive, 0);
}

TEST(TemplateRecords, EveryCommittedTemplateLoads) {
    int loaded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KZ8_TEMPLATES_DIR)) {
        if (entry.path().extension() != ".dtp") continue;
        SCOPED_TRACE(entry.path().filename().string());
        testkit::MemoryResources resources;
        LoadResult result =
            loadTemplateText(templateText(entry.path().filename().string()), resources);
        EXPECT_TRUE(result.loaded) << result.error.text();
        ++loaded;
    }
    EXPECT_GE(loaded, 4) << "the committed templates are missing";
}

}  // namespace
}  // namespace kz8::skinui
