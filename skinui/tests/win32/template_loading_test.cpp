// Loading templates from files and texts under Wine: the path errors, the
// album fallback, the folder that is current while a template's files are
// requested, and what every exit leaves behind.
#include "skinui/win32/template_loading.h"

#include "skinui/win32/album_library.h"
#include "skinui/win32/file_cursor.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/testing/win32/wine_run.h"
#include "skinui/tests/template_test_support.h"

namespace kz8::skinui {
namespace {

std::string currentFolder() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    return folder;
}

std::string templatePath(const char* name) {
    std::string path = kz8::testkit::windowsPathOf(std::string(KZ8_TEMPLATES_DIR) + "/" + name);
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// Notes the current folder at every request, and how many are open.
struct RecordingResources : testkit::MemoryResources {
    explicit RecordingResources(std::vector<std::string>& folders, int& open)
        : folders_(folders), open_(open) {
        ++open_;
    }
    ~RecordingResources() override { --open_; }
    std::optional<Dib> picture(const std::string& fileName) override {
        folders_.push_back(currentFolder());
        return MemoryResources::picture(fileName);
    }
    std::vector<std::string>& folders_;
    int& open_;
};

struct Recorder {
    std::vector<std::string> folders;
    int open = 0;
    TemplateSources sources() {
        TemplateSources s;
        s.openResources = [this] { return std::make_unique<RecordingResources>(folders, open); };
        return s;
    }
};

TEST(TemplateLoading, PathErrorsNameTheFile) {
    Recorder recorder;
    const std::string longPath = "C:\\" + std::string(300, 'p') + ".dtp";
    const std::string missing = templatePath("missing.dtp");
    struct Case {
        std::string path;
        std::string error;
    } cases[] = {
        {longPath, "ERROR! ID=5 Can not  get  the  full  path for file" + longPath + "!"},
        {"C:\\skins\\form.txt", "ERROR! ID=6 The file C:\\skins\\form.txt is not a DTP file ."},
        {"C:\\skins\\form", "ERROR! ID=6 The file C:\\skins\\form is not a DTP file ."},
        {missing, "ERROR! ID=7 Can not open the DTP file:" + missing + "!"},
    };
    for (const Case& c : cases) {
        LoadResult result = loadTemplateFile(c.path.c_str(), recorder.sources());
        EXPECT_FALSE(result.loaded) << c.path;
        EXPECT_EQ(result.error.text(), c.error);
    }
}

TEST(TemplateLoading, TheAlbumStandsInForAMissingFile) {
    Recorder recorder;
    TemplateSources sources = recorder.sources();
    sources.albumText = [](const std::string&, std::string&) { return AlbumLookup::NotFound; };
    EXPECT_EQ(loadTemplateFile(templatePath("gone.dtp").c_str(), sources).error.text(),
              "ERROR! ID=8 Can not allocate the memory !");
    sources.albumText = [](const std::string& path, std::string& text) {
        text = "[TEMPLATE]\nNAME=FromAlbum\nFILENAME=bg.bmp\n";
        return path.find("gone.dtp") != std::string::npos ? AlbumLookup::Found
                                                          : AlbumLookup::NotFound;
    };
    LoadResult result = loadTemplateFile(templatePath("gone.dtp").c_str(), sources);
    ASSERT_TRUE(result.loaded) << result.error.text();
    EXPECT_EQ(result.loaded->name, "FromAlbum");
}

TEST(TemplateLoading, FilesAreTakenFromTheTemplatesFolderAndEveryExitRestoresTheHosts) {
    const std::string host = currentFolder();
    const std::string folder = templatePath("");
    Recorder recorder;
    LoadResult result = loadTemplateFile(templatePath("form.dtp").c_str(), recorder.sources());
    ASSERT_TRUE(result.loaded) << result.error.text();
    std::string upper = templatePath("form.dtp");
    CharUpperBuffA(upper.data(), DWORD(upper.size()));
    EXPECT_EQ(result.loaded->path, upper);
    ASSERT_FALSE(recorder.folders.empty());
    for (const std::string& asked : recorder.folders)
        EXPECT_EQ(lstrcmpiA((asked + "\\").c_str(), folder.c_str()), 0) << asked;
    EXPECT_EQ(currentFolder(), host);
    EXPECT_EQ(recorder.open, 0) << "the resources of the load stay open";

    // A text template: the folder of the module holding the code.
    recorder.folders.clear();
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, sizeof module);
    std::string moduleFolder = module;
    moduleFolder.resize(moduleFolder.find_last_of('\\'));
    result = loadTemplateFromText("[TEMPLATE]\nNAME=T\nFILENAME=bg.bmp\n", recorder.sources());
    ASSERT_TRUE(result.loaded) << result.error.text();
    ASSERT_EQ(recorder.folders.size(), 1u);
    EXPECT_EQ(lstrcmpiA(recorder.folders[0].c_str(), moduleFolder.c_str()), 0);

    // Failing after the switch (no background) and before it (a bad line).
    for (const char* text : {"[TEMPLATE]\nNAME=T\nFILENAME=missing.bmp\n", "[TEMPLATE]\nNAME\n"}) {
        result = loadTemplateFromText(text, recorder.sources());
        EXPECT_FALSE(result.loaded) << text;
        EXPECT_EQ(currentFolder(), host) << text;
        EXPECT_EQ(recorder.open, 0) << text;
    }
}

TEST(TemplateLoading, ReadOnlyTextsAndPathsLoadAndStayAsTheyWere) {
    const std::string text = "[TEMPLATE]\nNAME=ReadOnly\\\nText\nFILENAME=bg.bmp\n";
    const std::string path = templatePath("minimal.dtp");
    auto* page =
        static_cast<char*>(VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_TRUE(page);
    std::memcpy(page, text.c_str(), text.size() + 1);
    std::memcpy(page + 2048, path.c_str(), path.size() + 1);
    DWORD previous = 0;
    ASSERT_TRUE(VirtualProtect(page, 4096, PAGE_READONLY, &previous));
    Recorder recorder;
    LoadResult fromText = loadTemplateFromText(page, recorder.sources());
    ASSERT_TRUE(fromText.loaded) << fromText.error.text();
    EXPECT_EQ(fromText.loaded->name, "ReadOnlyText");
    LoadResult fromFile = loadTemplateFile(page + 2048, recorder.sources());
    ASSERT_TRUE(fromFile.loaded) << fromFile.error.text();
    EXPECT_EQ(std::string(page), text);
    EXPECT_EQ(std::string(page + 2048), path);
    VirtualFree(page, 0, MEM_RELEASE);
}

TEST(TemplateLoading, TheLibrarysOwnSourcesReadEveryPictureAndCursorFromFiles) {
    // The form's pictures and its cursor, drawn beside it by the fixtures;
    // no album library on this machine.
    const std::string form = kz8::testkit::fixturePath("skinui/templates/form.dtp");
    LoadResult result = loadTemplateFile(form.c_str(), albumTemplateSources());
    ASSERT_TRUE(result.loaded) << result.error.text();
    EXPECT_TRUE(result.loaded->templateCursor) << "arrow.cur loads";
    EXPECT_FALSE(result.loaded->buttonCursor) << "no CURSORONBTN: the arrow";
    for (const auto& button : result.loaded->buttons) EXPECT_TRUE(button->regState) << button->name;
    EXPECT_TRUE(result.loaded->scrollBars[0]->thumb->regImage);
    // A cursor that will not load leaves the arrow.
    for (const char* broken : {"bad-cut.cur", "missing.cur"})
        EXPECT_FALSE(loadFileCursor(kz8::testkit::fixturePath(std::string("skinui/") + broken)))
            << broken;
}

}  // namespace
}  // namespace kz8::skinui
