#include "app/kvx_demo_doc.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/temp_home.h"

namespace {

using Kind = CKVX_DemoDoc::FileDialogKind;
using Paths = std::vector<std::string>;

// Stands in for the user at the file dialog: answers with the given paths in
// turn ("" for Cancel) and records which dialogs were shown.
struct ScriptedUser {
    std::deque<std::string> answers;
    std::vector<Kind> shown;

    CKVX_DemoDoc::FileDialog Dialog() {
        return [this](Kind kind) {
            shown.push_back(kind);
            std::string answer = answers.front();
            answers.pop_front();
            return answer;
        };
    }
};

class DemoDoc : public TempHome {
  protected:
    static Paths StoredRecentFiles() {
        AppSettings stored;
        stored.Load();
        return stored.RecentFiles().Entries();
    }
    std::string WriteFile(const std::string& name, const std::string& contents) const {
        const std::string path = Home() + "/" + name;
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    AppSettings m_settings;
    ScriptedUser m_user;
};

TEST_F(DemoDoc, OpenAddsTheChosenFileToTheStoredRecentListWithoutTouchingIt) {
    const std::string first = WriteFile("first.obj", "v 0 0 0\n");
    const std::string second = WriteFile("second.obj", "v 1 1 1\n");
    m_user.answers = {first, second, first};
    CKVX_DemoDoc doc(m_settings, m_user.Dialog());
    doc.OnFileOpen();
    doc.OnFileOpen();
    doc.OnFileOpen();
    EXPECT_EQ(m_user.shown, (std::vector<Kind>{Kind::OPEN, Kind::OPEN, Kind::OPEN}));
    EXPECT_EQ(doc.PathName(), first);
    EXPECT_EQ(m_settings.RecentFiles().Entries(), (Paths{first, second}));
    EXPECT_EQ(StoredRecentFiles(), (Paths{first, second}));
    EXPECT_EQ(ReadFile(first), "v 0 0 0\n");
}

TEST_F(DemoDoc, CancelledOpenChangesNothing) {
    m_settings.RecentFiles().Add("/kept");
    m_user.answers = {""};
    CKVX_DemoDoc doc(m_settings, m_user.Dialog());
    doc.OnFileOpen();
    EXPECT_EQ(m_settings.RecentFiles().Entries(), Paths{"/kept"});
    EXPECT_EQ(doc.PathName(), "");
    EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
}

TEST_F(DemoDoc, SaveNeitherCreatesNorOverwritesFiles) {
    const std::string existing = WriteFile("keep.txt", "precious");
    const std::string fresh = Home() + "/new.txt";
    m_user.answers = {existing, fresh, ""};
    CKVX_DemoDoc doc(m_settings, m_user.Dialog());
    doc.OnFileSave();
    doc.OnFileSave();
    doc.OnFileSave();
    EXPECT_EQ(m_user.shown, (std::vector<Kind>{Kind::SAVE, Kind::SAVE, Kind::SAVE}));
    EXPECT_EQ(ReadFile(existing), "precious");
    EXPECT_FALSE(std::filesystem::exists(fresh));
    EXPECT_TRUE(m_settings.RecentFiles().Entries().empty());
}

TEST_F(DemoDoc, NewStartsEmptyAndKeepsTheRecentList) {
    m_user.answers = {"/opened.obj"};
    CKVX_DemoDoc doc(m_settings, m_user.Dialog());
    doc.OnFileOpen();
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.PathName(), "");
    EXPECT_EQ(m_settings.RecentFiles().Entries(), Paths{"/opened.obj"});
    EXPECT_TRUE(m_user.answers.empty());
}

}  // namespace
