// The album bridge over the Tomeset stand-in, each variant chosen with
// SetDllDirectoryA: pictures from "Buttons.ui" when a loose file is missing,
// template texts from "dtp.ui", the calls in their order with their
// arguments, and nothing left open after any load.
#include "skinui/win32/album_library.h"

#include <gtest/gtest.h>

#include <fstream>

#include "common/testing/portable/test_files.h"
#include "common/testing/win32/wine_run.h"
#include "outside/tomeset/album_file.h"

namespace kz8::skinui {
namespace {

std::string windows(const std::string& unixPath) {
    std::string path = kz8::testkit::windowsPathOf(unixPath);
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

// A folder with a template whose button picture is only in the album, an
// album of pictures and an album of template texts.
class AlbumTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(sizeof temp, temp);
        folder_ = std::string(temp) + "kz8-album-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        const auto picture = kz8::testkit::readFile(kz8::testkit::fixturePath("skinui/rgb24.bmp"));
        ASSERT_TRUE(picture);
        writeBytes(folder_ + "bg.bmp", *picture);
        writeBytes(folder_ + "card.dtp",
                   bytesOf("[TEMPLATE]\nNAME=Card\nFILENAME=bg.bmp\n[BUTTON]\nNAME=Ok\n"
                           "REGSTATE=Stored_Button.BMP\nDOWNSTATE=bg.bmp\nRECT=1,1,9,9\nACTION=1\n"
                           "LINK=\n"));
        writeBytes(folder_ + "Buttons.ui",
                   kz8::outside::writeAlbum({{"stored_button.bmp", *picture}}));
        writeBytes(
            folder_ + "dtp.ui",
            kz8::outside::writeAlbum(
                {{"AlbumOnly.dtp", bytesOf("[TEMPLATE]\nNAME=FromAlbum\nFILENAME=bg.bmp\n")}}));
        host_ = currentFolder();
    }
    void TearDown() override {
        useVariant(nullptr);
        for (const char* file : {"bg.bmp", "card.dtp", "Buttons.ui", "dtp.ui"})
            DeleteFileA((folder_ + file).c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    static std::string currentFolder() {
        char folder[MAX_PATH] = {};
        GetCurrentDirectoryA(sizeof folder, folder);
        return folder;
    }

    // Makes a variant of the stand-in the one "Tomeset.dll" finds (none: an
    // empty folder) and keeps it loaded, so that its log outlives each load.
    void useVariant(const char* variant, int32_t mode = 0) {
        stand_in_.reset();
        SetDllDirectoryA(variant ? windows(std::string(TOMESET_DIR) + "/" + variant).c_str()
                                 : folder_.c_str());
        if (!variant) return;
        stand_in_.reset(LoadLibraryA("Tomeset.dll"));
        ASSERT_TRUE(stand_in_) << variant;
        call<void (*)(int32_t)>("TomesetSetMode")(mode);
    }
    template <typename Function>
    Function call(const char* name) {
        return reinterpret_cast<Function>(
            reinterpret_cast<void*>(GetProcAddress(stand_in_.get(), name)));
    }
    std::string log() { return call<const char* (*)()>("TomesetCallLog")(); }
    int32_t openHandles() { return call<int32_t (*)()>("TomesetOpenHandles")(); }

    LoadResult load(const std::string& name) {
        LoadResult result = loadTemplateFile((folder_ + name).c_str(), albumTemplateSources());
        EXPECT_EQ(currentFolder(), host_) << name;
        return result;
    }
    // The width of the button's picture that only the album has, -1 for none.
    int albumPictureWidth(const LoadResult& result) {
        if (!result.loaded || result.loaded->buttons.empty()) return -2;
        const auto& picture = result.loaded->buttons[0]->regState;
        return picture ? int(picture->view().width()) : -1;
    }

    std::string folder_, host_;
    LoadedModule stand_in_;
};

TEST_F(AlbumTest, PicturesAndTextsComeFromTheAlbumsWithTheCallsInOrder) {
    useVariant("full");
    LoadResult card = load("card.dtp");
    ASSERT_TRUE(card.loaded) << card.error.text();
    EXPECT_EQ(albumPictureWidth(card), 37) << "the name is compared without regard to case";
    const std::string calls = log();
    const std::string expected =
        "QRX_DllInit qrxResE.dll zeroed\n"
        "QRX_CreateDocTemplate desktop 0 0\n"
        "QRX_LoadAlbum 1 " +
        folder_.substr(0, folder_.size() - 1) +
        "\\Buttons.ui\n"
        "QRX_GetObjectCounts 1\n"
        "QRX_GetFieldData 1 1 FileNameNoPath size\n"
        "QRX_GetFieldData 1 1 FileNameNoPath buffer 260\n"
        "QRX_GetThumbNail 1 1\n"
        "QRX_CloseAlbumTemplate 1\n";
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(openHandles(), 0);

    LoadResult fromAlbum = load("albumonly.dtp");
    ASSERT_TRUE(fromAlbum.loaded) << fromAlbum.error.text();
    EXPECT_EQ(fromAlbum.loaded->name, "FromAlbum");
    EXPECT_NE(log().find("QRX_LoadAlbum 2 " + folder_ + "dtp.ui"), std::string::npos) << log();
    EXPECT_EQ(load("nowhere.dtp").error.text(), "ERROR! ID=8 Can not allocate the memory !");
    EXPECT_EQ(openHandles(), 0);
    // A failed load (no background) leaves nothing open either.
    writeBytes(folder_ + "card.dtp", bytesOf("[TEMPLATE]\nNAME=Card\nFILENAME=none.bmp\n"));
    EXPECT_FALSE(load("card.dtp").loaded);
    EXPECT_EQ(openHandles(), 0);
}

TEST_F(AlbumTest, EveryVariantAndModeStillLoadsFileTemplates) {
    const std::string path = folder_ + "albumonly.dtp";
    const std::string noLibrary = "ERROR! ID=7 Can not open the DTP file:" + path + "!";
    const std::string noMatch = "ERROR! ID=8 Can not allocate the memory !";
    struct Case {
        const char* variant;  // none: no library at all
        int32_t mode;
        int pictureWidth;
        std::string textError;  // "" when the album's text loads
    } cases[] = {
        {nullptr, 0, -1, noLibrary},
        {"no-thumbnail", 0, -1, ""},
        {"no-load-album", 0, -1, noLibrary},
        {"init-only", 0, -1, noLibrary},
        {"full", 1, -1, noMatch},  // a negative handle
        {"full", 2, 37, ""},       // a 300-byte stored name comes first
        {"full", 3, 37, noMatch},  // a content size near 4 GiB
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.variant ? c.variant : "none") + " mode " +
                     std::to_string(c.mode));
        useVariant(c.variant, c.mode);
        LoadResult card = load("card.dtp");
        ASSERT_TRUE(card.loaded) << card.error.text();
        EXPECT_EQ(albumPictureWidth(card), c.pictureWidth);
        LoadResult text = load("albumonly.dtp");
        EXPECT_EQ(text.loaded ? std::string() : text.error.text(), c.textError);
        if (stand_in_ && GetProcAddress(stand_in_.get(), "QRX_CreateDocTemplate")) {
            EXPECT_EQ(openHandles(), 0);
        }
    }
}

}  // namespace
}  // namespace kz8::skinui
