// Where the real, installed program finds its data: the folder given with --data, else ./data
// below the working folder when it holds T001.dat, else the data installed with the program; and
// where its scratch files go when the data folder cannot be written. The folder a run used is
// told by the one container missing from it: the sound's, which only costs the sound.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/packaging/installed_tree.h"

namespace {

namespace fs = std::filesystem;

enum Place { NOWHERE, WORKING, INSTALLED, GIVEN };

// What a run says when the folder it used lacks the sound's container.
std::string UsedFolder(const std::string& folder) {
    return "FileCrypt ERROR: Cannot open File " + folder + "/T035.dat!\nSound is not supported.\n";
}

std::string NoDataFound(const std::string& installed) {
    return "No scene data found: looked for T001.dat in ./data (below the working folder) and in " +
           installed +
           " (installed with the program). Start the demo from the folder that holds data/, name "
           "the data folder with --data DIR, or install the demo (make install) so that "
           "PREFIX/share/kvx-demo/data holds it beside PREFIX/bin/kvx-demo.\n"
           "FileCrypt ERROR: Cannot open File ./data/T001.dat!\n";
}

// The folders of one case: the installed tree, a working folder and a folder for --data.
struct Places {
    InstalledTree tree;
    std::string working = tree.Folder("work");
    std::string given = tree.Folder("given");
    std::string run = tree.Folder("run");
    std::string home = tree.Folder("home");

    std::string Folder(Place place) const {
        switch (place) {
            case WORKING:
                return working + "/data";
            case INSTALLED:
                return tree.Data();
            case GIVEN:
                return given;
            default:
                return "";
        }
    }
    std::vector<std::string> Env() const {
        return {"SDL_AUDIODRIVER=dummy", "HOME=" + home, "XDG_RUNTIME_DIR=" + run};
    }
};

std::vector<std::string> RunArgs(const std::vector<std::string>& extra) {
    std::vector<std::string> args{"--batch", "--frames", "2", "--size", "160x120"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

TEST(DataLocation, EachPlaceAloneAndTheirOrder) {
    const struct {
        const char* what;
        std::vector<Place> present;        // the places that hold data
        Place used;                        // NOWHERE: none found
        bool throughLink = false;          // the program started through a link in another folder
        bool workingWithoutFirst = false;  // ./data is there but holds no T001.dat
    } cases[] = {
        {"./data alone", {WORKING}, WORKING},
        {"the installed data alone", {INSTALLED}, INSTALLED},
        {"--data alone", {GIVEN}, GIVEN},
        {"--data before the others", {WORKING, INSTALLED, GIVEN}, GIVEN},
        {"./data before the installed data", {WORKING, INSTALLED}, WORKING},
        {"./data without T001.dat is passed over", {WORKING, INSTALLED}, INSTALLED, false, true},
        {"the installed data through a link to the program", {INSTALLED}, INSTALLED, true},
        {"nothing anywhere", {}, NOWHERE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Places places;
        bool installed = false;
        for (Place place : c.present) {
            installed = installed || place == INSTALLED;
            if (place != INSTALLED)
                LinkBakedData(places.Folder(place));
        }
        if (!installed)
            fs::remove_all(places.tree.Data());
        if (c.workingWithoutFirst)
            fs::remove(places.Folder(WORKING) + "/T001.dat");
        std::string program = places.tree.Program("kvx-demo");
        if (c.throughLink) {
            fs::create_symlink(program, places.home + "/kvx-demo");
            program = places.home + "/kvx-demo";
        }
        const std::string installedData =
            (fs::canonical(places.tree.Prefix()) / "share/kvx-demo/data").string();
        if (c.used != NOWHERE)
            fs::remove(places.Folder(c.used) + "/T035.dat");
        const bool given = std::find(c.present.begin(), c.present.end(), GIVEN) != c.present.end();
        const std::vector<std::string> option =
            given ? std::vector<std::string>{"--data", places.given + "/"}
                  : std::vector<std::string>{};
        const ProgramRun run = RunProgram(program, RunArgs(option), places.working, places.Env());
        if (c.used == NOWHERE) {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.err, NoDataFound(installedData));
        } else {
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.err, UsedFolder(c.used == WORKING ? "./data" : places.Folder(c.used)));
        }
        EXPECT_TRUE(Entries(places.run).empty());
    }
}

TEST(DataLocation, AGivenFolderWithoutDataIsReportedAsIs) {
    Places places;
    LinkBakedData(places.Folder(WORKING));
    const ProgramRun run =
        RunProgram(places.tree.Program("kvx-demo"), RunArgs({"--data", places.given}),
                   places.working, places.Env());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "FileCrypt ERROR: Cannot open File " + places.given + "/T001.dat!\n");
}

// Root may write into a read-only folder, so these runs are made as nobody when the test runs as
// root. Before, the first scratch file failed: "Cannot create the scratch File ./data/temp0:
// Permission denied!".
TEST(DataLocation, AReadOnlyDataFolderDecryptsIntoAPrivateFolderThatGoesWithTheRun) {
    const struct {
        const char* what;
        Place place;
    } cases[] = {{"./data read-only", WORKING}, {"--data naming a read-only folder", GIVEN}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Places places;
        const std::string data = places.Folder(c.place);
        LinkBakedData(data);
        fs::remove(data + "/T035.dat");
        const std::vector<std::string> before = Entries(data);
        SetReadOnly(data, true);
        OpenToEveryone(places.working, true);
        OpenToEveryone(places.run, true);
        OpenToEveryone(places.home, true);
        const std::vector<std::string> option = c.place == GIVEN
                                                    ? std::vector<std::string>{"--data", data}
                                                    : std::vector<std::string>{};
        const ProgramRun run = RunUnprivileged(places.tree.Program("kvx-demo"), RunArgs(option),
                                               places.working, places.Env());
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, UsedFolder(c.place == WORKING ? "./data" : data));
        EXPECT_EQ(Entries(data), before);
        EXPECT_TRUE(Entries(places.run).empty());
        SetReadOnly(data, false);
    }
}

// The private folder is seen with a scratch file in it, then the signal comes: the file and the
// folder are gone afterwards, and the program ends as the signal says. The folder is made under
// $XDG_RUNTIME_DIR, or $TMPDIR where that cannot take it.
TEST(DataLocation, SignalsWhileLoadingIntoThePrivateFolderLeaveNothing) {
    const struct rlimit noCore = {0, 0};
    setrlimit(RLIMIT_CORE, &noCore);
    const struct {
        int signal;
        bool runtimeFolderMissing;
    } cases[] = {{SIGTERM, false}, {SIGSEGV, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.signal);
        Places places;
        const std::vector<std::string> before = Entries(places.tree.Data());
        std::vector<std::string> env = places.Env();
        if (c.runtimeFolderMissing)
            env.insert(env.end(),
                       {"XDG_RUNTIME_DIR=" + places.run + "/missing", "TMPDIR=" + places.run});
        StartedProgram demo(places.tree.Program("kvx-demo"), RunArgs({}), places.working, env);
        const auto loading = [&] {
            for (const std::string& name : Entries(places.run)) {
                const std::string folder = places.run + "/" + name;
                struct stat info;
                if (name.rfind("kvx-demo-", 0) == 0 && lstat(folder.c_str(), &info) == 0 &&
                    (info.st_mode & 0777) == 0700 && !Entries(folder).empty())
                    return true;
            }
            return false;
        };
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        bool seen = false;
        while (!(seen = loading()) && std::chrono::steady_clock::now() < deadline) {
        }
        ASSERT_TRUE(seen) << "no private folder with a scratch file in it was seen";
        demo.Signal(c.signal);
        const ProgramRun run = demo.Wait(60);
        EXPECT_EQ(run.signal, c.signal);
        EXPECT_TRUE(Entries(places.run).empty());
        EXPECT_EQ(Entries(places.tree.Data()), before);
    }
}

}  // namespace
