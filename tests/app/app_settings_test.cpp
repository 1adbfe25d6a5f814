#include "app/app_settings.h"

#include <FL/Fl_Preferences.H>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/small_files.h"
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

constexpr const char* HEADER =
    "; FLTK preferences file format 1.0\n; vendor: Ostrel - KVX Demo\n; application: KVX_Demo\n";

void WriteText(const std::string& file, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// What a damaged, hand-edited or odd settings file loads: what can be read of it, or nothing;
// never a crash, a wait or a read past the text. Loading never writes the file.
TEST_F(AppSettingsStore, DamagedOrOddFilesLoadWhatCanBeReadAndWriteNothing) {
    const struct {
        const char* what;
        std::function<void(const std::string&)> make;
        Paths loaded;
    } cases[] = {
        {"a group line without its ./",
         [](const std::string& file) {
             WriteText(file, std::string(HEADER) + "[Recent File List]\nFile1:/a.obj\n");
         },
         {}},
        {"keys before any group",
         [](const std::string& file) {
             WriteText(file, "a\nb\nc\nFile1:/x\n[./Recent File List]\n");
         },
         {}},
        {"escapes cut off at the end of values",
         [](const std::string& file) {
             WriteText(file, std::string(HEADER) +
                                 "[./Recent File List]\nFile1:/a/\\30\nFile2:/b/\\\n" +
                                 "File3:/c/\\3\nFile4:/d\\q/e\n");
         },
         {"/a/", "/b/", "/c/", "/d/e"}},
        {"a value carried on over + lines, and CRLF line ends",
         [](const std::string& file) {
             WriteText(file,
                       std::string(HEADER) + "[./Recent File List]\r\nFile1:/long\r\n+/er\r\n");
         },
         {"/long/er"}},
        {"bytes of every value after a good start",
         [](const std::string& file) {
             std::string bytes = std::string(HEADER) + "[./Recent File List]\nFile1:/a\n";
             for (int i = 0; i < 4096; ++i)
                 bytes += static_cast<char>((i * 7919) % 256);
             WriteText(file, bytes);
         },
         {"/a"}},
        {"a FIFO without a writer",
         [](const std::string& file) {
             std::filesystem::create_directories(std::filesystem::path(file).parent_path());
             ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
         },
         {}},
        {"a directory",
         [](const std::string& file) { std::filesystem::create_directories(file); },
         {}},
        {"larger than settings can be",
         [](const std::string& file) {
             WriteText(file, std::string(HEADER) + "[./Recent File List]\nFile1:/a\n" +
                                 std::string(1 << 20, 'x') + "\n");
         },
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(SettingsFile());
        c.make(SettingsFile());
        struct stat before = {};
        lstat(SettingsFile().c_str(), &before);
        const std::string text =
            std::filesystem::is_regular_file(SettingsFile()) ? StoredText() : "";
        EXPECT_EQ(LoadList(), c.loaded);
        struct stat after = {};
        lstat(SettingsFile().c_str(), &after);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
        EXPECT_EQ(std::filesystem::is_regular_file(SettingsFile()) ? StoredText() : "", text);
    }
}

// The file stays in FLTK's preferences format: what one writes, the other reads.
TEST_F(AppSettingsStore, FltkPreferencesReadWhatIsSavedAndTheOtherWayRound) {
    const Paths paths = {"/tmp/back\\slash", "/tmp/line\nbreak\r\x01\x7f", "/tmp/\xC3\xA9t\xC3\xA9",
                         "/tmp/" + std::string(300, 'n')};
    const std::string folder = std::filesystem::path(SettingsFile()).parent_path().string();
    SaveList(paths);
    {
        Fl_Preferences stored(folder.c_str(), AppSettings::VENDOR, AppSettings::APPLICATION);
        Fl_Preferences group(stored, "Recent File List");
        for (std::size_t i = 0; i < paths.size(); ++i) {
            char* value = nullptr;
            group.get(("File" + std::to_string(i + 1)).c_str(), value, "");
            EXPECT_EQ(std::string(value), paths[i]);
            std::free(value);
        }
    }
    std::filesystem::remove(SettingsFile());
    {
        Fl_Preferences stored(folder.c_str(), AppSettings::VENDOR, AppSettings::APPLICATION);
        Fl_Preferences group(stored, "Recent File List");
        for (std::size_t i = 0; i < paths.size(); ++i)
            group.set(("File" + std::to_string(i + 1)).c_str(), paths[i].c_str());
    }
    EXPECT_EQ(LoadList(), paths);
}

// Two programs saving at once while a third loads: every load finds one whole list, never an
// empty, cut or mixed one.
TEST_F(AppSettingsStore, ConcurrentSavesLeaveOneWholeList) {
    const Paths a = {"/a/" + std::string(2000, 'a'), "/a2", "/a3", "/a4"};
    const Paths b = {"/b/" + std::string(3000, 'b'), "/b2"};
    SaveList(a);
    std::vector<pid_t> savers;
    for (const Paths* list : {&a, &b}) {
        const pid_t pid = fork();
        if (pid == 0) {
            for (int i = 0; i < 200; ++i)
                SaveList(*list);
            _exit(0);
        }
        savers.push_back(pid);
    }
    int whole = 0, broken = 0;
    for (int i = 0; i < 400; ++i) {
        const Paths loaded = LoadList();
        (loaded == a || loaded == b ? whole : broken)++;
    }
    for (pid_t pid : savers)
        waitpid(pid, nullptr, 0);
    EXPECT_EQ(broken, 0) << "of " << whole + broken << " loads";
    std::size_t leftovers = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(SettingsFile()).parent_path()))
        leftovers += entry.path() != SettingsFile();
    EXPECT_EQ(leftovers, 0u);
}

// What is not a regular file, at the settings' place or behind a link there, is never replaced by
// a plain file: the save says why it did not happen and the entry stays what it was.
TEST_F(AppSettingsStore, ANonRegularFileAtTheSettingsPlaceIsNotReplaced) {
    const std::string folder = std::filesystem::path(SettingsFile()).parent_path().string();
    const std::string elsewhere =
        (std::filesystem::path(folder).parent_path() / "elsewhere").string();
    const struct {
        const char* what;
        std::function<void()> make;
        std::string kept;  // what stays at the place, for lstat's type
    } cases[] = {
        {"a FIFO", [&] { mkfifo(SettingsFile().c_str(), 0600); }, SettingsFile()},
        {"a link to a FIFO",
         [&] {
             mkfifo(elsewhere.c_str(), 0600);
             std::filesystem::create_symlink(elsewhere, SettingsFile());
         },
         elsewhere},
        {"a link to a directory",
         [&] {
             std::filesystem::create_directory(elsewhere);
             std::filesystem::create_symlink(elsewhere, SettingsFile());
         },
         elsewhere},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(folder);
        std::filesystem::remove_all(elsewhere);
        std::filesystem::create_directories(folder);
        c.make();
        struct stat before = {};
        lstat(c.kept.c_str(), &before);
        AppSettings settings;
        settings.Load();
        settings.RecentFiles().Add("/new.obj");
        EXPECT_EQ(settings.Save(), "Settings error: " + SettingsFile() +
                                       ": is not a regular file; the recent-file list was not "
                                       "saved.");
        struct stat after = {};
        lstat(c.kept.c_str(), &after);
        EXPECT_EQ(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }
}

// Runs save in a child process without the privileges of root, whose reads and writes no
// permission stops, and returns what it returned. As root the child becomes "nobody", and
// owner is then chowned to it first; otherwise the child is the test's own user.
std::string SaveUnprivileged(const std::vector<std::string>& owned,
                             const std::function<std::string()>& save) {
    const passwd* nobody = getpwnam("nobody");
    const bool root = geteuid() == 0;
    if (root) {
        for (const std::string& path : owned)
            lchown(path.c_str(), nobody->pw_uid, nobody->pw_gid);
    }
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeEnds[0]);
        if (root && (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 ||
                     setuid(nobody->pw_uid) != 0))
            _exit(1);
        const std::string said = save();
        _exit(WriteAll(pipeEnds[1], said.data(), said.size()) ? 0 : 1);
    }
    close(pipeEnds[1]);
    std::string said;
    char chunk[256];
    for (ssize_t n; (n = read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        said.append(chunk, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? said : "the child failed";
}

// Adds a file to the list as File > Open does, and saves.
std::string OpenAndSave() {
    AppSettings settings;
    settings.Load();
    settings.RecentFiles().Add("/new.obj");
    return settings.Save();
}

// A settings file its user may not read holds a list no one has seen: it is left as it was,
// with its permissions, and the save says why.
TEST_F(AppSettingsStore, AListThatCouldNotBeReadIsNotReplaced) {
    const std::string folder = std::filesystem::path(SettingsFile()).parent_path().string();
    const std::string stored = std::string(HEADER) + "[./Recent File List]\nFile1:/kept.obj\n";
    WriteText(SettingsFile(), stored);
    chmod(SettingsFile().c_str(), 0);
    chmod(std::filesystem::path(folder).parent_path().parent_path().c_str(), 0755);
    chmod(std::filesystem::path(folder).parent_path().c_str(), 0755);
    const std::string said = SaveUnprivileged({folder, SettingsFile()}, OpenAndSave);
    EXPECT_EQ(said, "Settings error: " + SettingsFile() +
                        ": cannot be read (Permission denied); the recent-file list was not "
                        "saved.");
    struct stat info = {};
    ASSERT_EQ(stat(SettingsFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0u);
    chmod(SettingsFile().c_str(), 0600);
    EXPECT_EQ(StoredText(), stored);
}

// A link to a file its user may write, in a folder the user may not: the list cannot be replaced
// there as a whole, so it stays as it was and the save says so.
TEST_F(AppSettingsStore, ALinkIntoAFolderTheUserCannotWriteIsReportedNotSaved) {
    const std::string folder = std::filesystem::path(SettingsFile()).parent_path().string();
    const std::string locked =
        (std::filesystem::path(folder).parent_path().parent_path() / "locked").string();
    const std::string target = locked + "/KVX_Demo.prefs";
    const std::string stored = std::string(HEADER) + "[./Recent File List]\nFile1:/kept.obj\n";
    WriteText(target, stored);
    chmod(target.c_str(), 0666);
    chmod(locked.c_str(), 0555);
    std::filesystem::create_directories(folder);
    std::filesystem::create_symlink(target, SettingsFile());
    chmod(std::filesystem::path(locked).parent_path().c_str(), 0755);
    chmod(std::filesystem::path(folder).parent_path().c_str(), 0755);
    const std::string said = SaveUnprivileged({folder, SettingsFile(), target}, OpenAndSave);
    EXPECT_EQ(said, "Settings error: " + SettingsFile() +
                        ": cannot be replaced: a new file cannot be created beside " + target +
                        " (Permission denied); the recent-file list was not saved.");
    EXPECT_EQ(StoredText(), stored);
    chmod(locked.c_str(), 0755);
}

}  // namespace
