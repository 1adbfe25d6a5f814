#include "tools/bake/credits.h"

#include <gtest/gtest.h>

namespace bake {
namespace {

const char* COPYRIGHT =
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
    "Upstream-Name: sounds\n"
    "\n"
    "Files: *\n"
    "Copyright: 2002-2014, The Team\n"
    "License: GPL-2+\n"
    "\n"
    "Files:\n"
    " base/sound/ambience/fire.ogg\n"
    " base/sound/ambience/water*.ogg\n"
    "Copyright:\n"
    " First Author\n"
    " Second Author\n"
    "License: CC-BY-SA-3.0\n"
    "\n"
    "Files: debian/*\n"
    "Copyright: 2020, Packager\n"
    "License: GPL-2+\n"
    "\n"
    "License: CC-BY-SA-3.0\n"
    " Licence text, which is no paragraph of files.\n";

TEST(Credits, LastMatchingFilesParagraphGivesTheLicence) {
    struct Case {
        const char* path;
        const char* licence;
        const char* copyright;
    };
    const Case cases[] = {
        {"base/sound/ambience/fire.ogg", "CC-BY-SA-3.0", "First Author; Second Author"},
        {"base/sound/ambience/water02.ogg", "CC-BY-SA-3.0", "First Author; Second Author"},
        {"base/sound/ambience/fire1.ogg", "GPL-2+", "2002-2014, The Team"},
        {"debian/rules", "GPL-2+", "2020, Packager"},
    };
    for (const Case& c : cases) {
        const LicenceInfo info = LookUpLicence(COPYRIGHT, c.path);
        EXPECT_EQ(info.licence, c.licence) << c.path;
        EXPECT_EQ(info.copyright, c.copyright) << c.path;
    }
}

TEST(Credits, NoParagraphMeansNoLicence) {
    EXPECT_EQ(LookUpLicence("Files: other/*\nLicence: MIT\n", "base/x.ogg").licence, "");
    EXPECT_EQ(LookUpLicence("", "base/x.ogg").licence, "");
}

TEST(Credits, TextNamesEveryAssetWithItsPackageAndLicence) {
    const std::string text = CreditsText(
        {{"T030", "zone 1", "/usr/share/x.pk3 : a.ogg", "sounds", {"GPL-2+", "Team"}, ""},
         {"T001", "terrain", "generated", "", {"made here", ""}, "note"}});
    for (const char* expected :
         {"T030: zone 1", "Source:    /usr/share/x.pk3 : a.ogg",
          "Package:   sounds (see /usr/share/doc/sounds/copyright)", "Licence:   GPL-2+",
          "Copyright: Team", "T001: terrain", "Licence:   made here", "Note:      note"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(text.find("Package:   \n"), std::string::npos);
}

}  // namespace
}  // namespace bake
