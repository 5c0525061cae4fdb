// When the registry says Simple MAPI can be used, and the names a picture's
// JPEG copy may take without harming the user's files.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "mail/portable/mapi_rules.h"

namespace kz8::mail {
namespace {

TEST(MapiRules, TheRegistryStatesThatAllowSimpleMapi) {
    MapiRegistry outlookExpress;
    outlookExpress.messagingKey = true;
    outlookExpress.mapiValue = "1";
    outlookExpress.mailClientsKey = true;
    outlookExpress.defaultMailProgram = "Outlook Express";
    outlookExpress.outlookExpressKey = true;
    outlookExpress.sMapi = 1;
    struct Case {
        const char* label;
        std::function<void(MapiRegistry&)> change;
        bool usable;
    };
    const std::vector<Case> cases = {
        {"Outlook Express with SMapi 1", [](MapiRegistry&) {}, true},
        {"Outlook Express with SMapi 0", [](MapiRegistry& r) { r.sMapi = 0; }, false},
        {"no SMapi value", [](MapiRegistry& r) { r.sMapi.reset(); }, false},
        {"\"outlook express\" is another program",
         [](MapiRegistry& r) { r.defaultMailProgram = "outlook express"; }, true},
        {"another program", [](MapiRegistry& r) { r.defaultMailProgram = "Mailer"; }, true},
        {"no default program", [](MapiRegistry& r) { r.defaultMailProgram.clear(); }, false},
        {"no Clients\\Mail key", [](MapiRegistry& r) { r.mailClientsKey = false; }, false},
        {"MAPI \"0\"", [](MapiRegistry& r) { r.mapiValue = "0"; }, false},
        {"MAPI \"0\" even with MSMapiApps",
         [](MapiRegistry& r) { r.mapiValue = "0", r.msMapiApps = true; }, false},
        {"MSMapiApps decides without a MAPI value",
         [](MapiRegistry& r) { r.mapiValue.reset(), r.msMapiApps = true, r.sMapi = 0; }, true},
        {"neither MAPI value nor MSMapiApps", [](MapiRegistry& r) { r.mapiValue.reset(); }, false},
        {"no messaging key", [](MapiRegistry& r) { r.messagingKey = false; }, false},
        {"an old system", [](MapiRegistry& r) { r.systemNewEnough = false; }, false},
    };
    for (const Case& c : cases) {
        MapiRegistry registry = outlookExpress;
        c.change(registry);
        EXPECT_EQ(simpleMapiUsable(registry), c.usable) << c.label;
    }
}

TEST(MapiRules, CopiesNeverTakeAnExistingNameAndListsKeepTheirPaths) {
    std::set<std::string> existing = {"C:\\pics\\photo.jpg", "C:\\pics\\photo_1.jpg"};
    const auto claim = [&](const std::string& name) { return existing.insert(name).second; };
    EXPECT_EQ(claimJpegName("C:\\pics\\photo", claim), "C:\\pics\\photo_2.jpg");
    EXPECT_EQ(claimJpegName("C:\\pics\\new", claim), "C:\\pics\\new.jpg");
    EXPECT_EQ(claimJpegName("C:\\pics\\x", [](const std::string&) { return false; }), "");

    EXPECT_TRUE(hasExtension("C:\\A.JPG", ".jpg"));
    EXPECT_FALSE(hasExtension("jpg", ".jpg"));
    EXPECT_FALSE(hasExtension("C:\\a.jpeg", ".jpg"));

    EXPECT_EQ(documentsDelimiter({"C:\\a.jpg", "C:\\b.txt"}), ";");
    EXPECT_EQ(documentsDelimiter({"C:\\a.jpg", "C:\\x;y\\b.txt"}), "|");
}

}  // namespace
}  // namespace kz8::mail
