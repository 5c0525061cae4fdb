// Template pictures as the library reads them: the JPEG reader's options
// against djpeg, which reader each name goes to and when the album is asked,
// and every committed template loading with the pictures it names.
#include "skinui/portable/template_pictures.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/testing/portable/test_files.h"
#include "skinui/portable/template_builder.h"

namespace kz8::skinui {
namespace {

using kz8::testkit::fixturePath;
using kz8::testkit::PpmImage;
using kz8::testkit::readFile;

std::optional<Dib> readJpegFixture(const std::string& name) {
    const auto bytes = readFile(fixturePath("skinui/" + name));
    if (!bytes) return std::nullopt;
    return readTemplateJpeg(bytes->data(), bytes->size());
}

TEST(TemplateJpeg, OptionsOfTheTemplateReaderAgainstDjpeg) {
    struct Case {
        const char* file;
        bool reads;
        unsigned bits;
        int32_t pelsPerMeter;
    } cases[] = {
        {"photo72.jpg", true, 24, 2834}, {"photo28cm.jpg", true, 24, 2800},
        {"grey.jpg", true, 8, 0},        {"junk8.jpg", true, 24, 2834},
        {"junk4.jpg", false, 0, 0},      {"cmyk.jpg", false, 0, 0},
        {"truncated.jpg", false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const auto dib = readJpegFixture(c.file);
        ASSERT_EQ(bool(dib), c.reads);
        if (!dib) continue;
        const DibView view = dib->view();
        EXPECT_EQ(view.layout().bitCount, c.bits);
        EXPECT_EQ(view.header().xPelsPerMeter, c.pelsPerMeter);
        const auto ppm =
            PpmImage::parse(*readFile(fixturePath(std::string("skinui/") + c.file + ".ppm")));
        ASSERT_TRUE(ppm);
        ASSERT_EQ(int(view.width()), ppm->width);
        for (int y = 0; y < ppm->height; ++y)
            for (int x = 0; x < ppm->width; ++x) {
                const uint8_t* row = view.row(uint32_t(y));
                const kz8::testkit::Rgb got =
                    c.bits == 8 ? kz8::testkit::Rgb{row[x], row[x], row[x]}
                                : kz8::testkit::Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
                ASSERT_TRUE(got == ppm->at(x, y)) << "pixel " << x << "," << y;
            }
        if (c.bits == 8) {
            EXPECT_EQ(view.colour(200)->green, 200) << "a grey ramp";
        }
    }
}

TEST(TemplatePictures, EachNameGoesToItsReaderAndTheAlbumTakesTheRest) {
    std::vector<std::string> askedAlbum;
    FileTemplateResources resources(
        [&](const std::string& name) {
            askedAlbum.push_back(name);
            return Dib::create(2, 2, 24);
        },
        nullptr);
    const std::string folder = fixturePath("skinui/");
    EXPECT_EQ(resources.picture(folder + "rgb24.bmp")->view().width(), 37u);
    EXPECT_EQ(resources.picture(folder + "photo72.jpg")->view().width(), 37u);
    EXPECT_TRUE(resources.picture(folder + "bad-cut-off.bmp"));  // from the album
    EXPECT_TRUE(resources.picture("Buttons/Ok.gif"));            // no reader: the album
    EXPECT_TRUE(resources.picture(folder + "missing.800"));
    EXPECT_EQ(askedAlbum, (std::vector<std::string>{folder + "bad-cut-off.bmp", "Buttons/Ok.gif",
                                                    folder + "missing.800"}));
    FileTemplateResources withoutAlbum(nullptr, nullptr);
    EXPECT_FALSE(withoutAlbum.picture("Buttons/Ok.gif"));
}

TEST(TemplatePictures, EveryCommittedTemplateLoadsWithThePicturesItNames) {
    const std::filesystem::path folder = fixturePath("skinui/templates");
    const std::filesystem::path host = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    int loaded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        if (entry.path().extension() != ".dtp") continue;
        SCOPED_TRACE(entry.path().string());
        std::vector<std::string> missing;
        FileTemplateResources resources(
            [&](const std::string& name) {
                missing.push_back(name);
                return std::nullopt;
            },
            nullptr);
        const auto text = readFile(entry.path().string());
        ASSERT_TRUE(text);
        LoadResult result = loadTemplateText(std::string(text->begin(), text->end()), resources);
        EXPECT_TRUE(result.loaded) << result.error.text();
        EXPECT_TRUE(missing.empty()) << "names a picture the fixtures lack: " << missing.front();
        ++loaded;
    }
    std::filesystem::current_path(host);
    EXPECT_GE(loaded, 4);
}

}  // namespace
}  // namespace kz8::skinui
