#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_settings.h"

namespace {

using Paths = std::vector<std::string>;

struct AddCase {
    const char* name;
    Paths added;
    Paths expected;
};

TEST(RecentFileList, AddKeepsTheFourMostRecentFirst) {
    const std::vector<AddCase> cases = {
        {"one file", {"/a"}, {"/a"}},
        {"four files", {"/a", "/b", "/c", "/d"}, {"/d", "/c", "/b", "/a"}},
        {"fifth pushes the oldest out", {"/a", "/b", "/c", "/d", "/e"}, {"/e", "/d", "/c", "/b"}},
        {"oldest again moves up, nothing drops",
         {"/a", "/b", "/c", "/d", "/a"},
         {"/a", "/d", "/c", "/b"}},
        {"middle again moves up", {"/a", "/b", "/c", "/d", "/b"}, {"/b", "/d", "/c", "/a"}},
        {"top again stays", {"/a", "/b", "/b"}, {"/b", "/a"}},
        {"empty path ignored", {"/a", "", "/b"}, {"/b", "/a"}},
        {"case matters on this file system", {"/A", "/a"}, {"/a", "/A"}},
        {"dropped file can come back",
         {"/a", "/b", "/c", "/d", "/e", "/a"},
         {"/a", "/e", "/d", "/c"}},
    };
    for (const AddCase& c : cases) {
        RecentFileList list;
        for (const std::string& path : c.added)
            list.Add(path);
        EXPECT_EQ(list.Entries(), c.expected) << c.name;
    }
}

TEST(RecentFileList, AssignSkipsEmptyAndRepeatedPathsAndKeepsFour) {
    const std::vector<AddCase> cases = {
        {"as stored", {"/a", "/b"}, {"/a", "/b"}},
        {"gaps closed", {"", "/a", "", "/b"}, {"/a", "/b"}},
        {"repeats dropped", {"/a", "/b", "/a"}, {"/a", "/b"}},
        {"at most four", {"/a", "/b", "/c", "/d", "/e"}, {"/a", "/b", "/c", "/d"}},
        {"nothing", {}, {}},
    };
    for (const AddCase& c : cases) {
        RecentFileList list;
        list.Add("/old");
        list.Assign(c.added);
        EXPECT_EQ(list.Entries(), c.expected) << c.name;
    }
}

}  // namespace
