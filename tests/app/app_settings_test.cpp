#include "app/app_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/temp_home.h"

namespace {

using Paths = std::vector<std::string>;

class AppSettingsStore : public TempHome {
  protected:
    static void SaveList(const Paths& paths) {
        AppSettings settings;
        settings.RecentFiles().Assign(paths);
        settings.Save();
    }
    static Paths LoadList() {
        AppSettings settings;
        settings.Load();
        return settings.RecentFiles().Entries();
    }
    std::string StoredText() const {
        std::ifstream file(SettingsFile());
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
};

TEST_F(AppSettingsStore, NothingStoredLoadsAnEmptyListAndWritesNothing) {
    EXPECT_TRUE(LoadList().empty());
    EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
}

TEST_F(AppSettingsStore, ListSurvivesARestartUnderTheUsersSettings) {
    const Paths paths = {"/home/u/d.obj", "/home/u/c.3ds", "/home/u/b.md2", "/home/u/a.txt"};
    SaveList(paths);
    ASSERT_TRUE(std::filesystem::exists(SettingsFile()));
    const std::string stored = StoredText();
    EXPECT_NE(stored.find("[./Recent File List]"), std::string::npos) << stored;
    EXPECT_NE(stored.find("File1:/home/u/d.obj"), std::string::npos) << stored;
    EXPECT_NE(stored.find("File4:/home/u/a.txt"), std::string::npos) << stored;
    EXPECT_EQ(LoadList(), paths);
}

TEST_F(AppSettingsStore, ShorterListReplacesTheStoredOne) {
    SaveList({"/a", "/b", "/c", "/d"});
    SaveList({"/e"});
    EXPECT_EQ(LoadList(), Paths{"/e"});
    EXPECT_EQ(StoredText().find("File2"), std::string::npos);
    SaveList({});
    EXPECT_TRUE(LoadList().empty());
}

TEST_F(AppSettingsStore, UnusualCharactersInPathsRoundTrip) {
    const std::vector<Paths> lists = {
        {"/tmp/with space/and \"quotes\".obj", "/tmp/back\\slash[1]:x=y",
         "/tmp/\xC3\xA9t\xC3\xA9/mod\xC3\xA8le.md2", "/tmp/line\nbreak\ttab"},
        {"/tmp/" + std::string(3000, 'n'), "/tmp/[./Recent File List]", "/tmp/; comment"},
    };
    for (const Paths& paths : lists) {
        SaveList(paths);
        EXPECT_EQ(LoadList(), paths);
    }
}

TEST_F(AppSettingsStore, HandEditedGapsAndRepeatsAreTidiedOnLoad) {
    std::filesystem::create_directories(std::filesystem::path(SettingsFile()).parent_path());
    std::ofstream(SettingsFile()) << "; FLTK preferences file format 1.0\n"
                                  << "; vendor: Ostrel - KVX Demo\n"
                                  << "; application: KVX_Demo\n"
                                  << "[./Recent File List]\n"
                                  << "File2:/b\nFile3:/b\nFile4:/d\nFile7:/x\n";
    EXPECT_EQ(LoadList(), (Paths{"/b", "/d"}));
}

}  // namespace
