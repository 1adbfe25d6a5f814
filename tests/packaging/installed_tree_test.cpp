// The installed tree as a user meets it: the program started from another folder, with an empty
// home and the installed data read-only, directly and through a link; and the desktop entry,
// icons and manual pages that come with it.

#include "tests/packaging/installed_tree.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Width and height from a PNG file's header; 0 x 0 when it is not a PNG file.
std::pair<std::uint32_t, std::uint32_t> PngSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (!in || std::string(reinterpret_cast<char*>(header) + 1, 3) != "PNG")
        return {0, 0};
    const auto word = [&](int at) {
        return std::uint32_t(header[at]) << 24 | std::uint32_t(header[at + 1]) << 16 |
               std::uint32_t(header[at + 2]) << 8 | header[at + 3];
    };
    return {word(16), word(20)};
}

TEST(InstalledTree, RunsFromAnywhereWithReadOnlyDataAndLeavesNothing) {
    InstalledTree tree;
    const std::string home = tree.Folder("home");
    const std::string run = tree.Folder("run");
    const std::string elsewhere = tree.Folder("elsewhere");
    fs::create_directory(home + "/bin");
    fs::create_symlink(tree.Program("kvx-demo"), home + "/bin/kvx-demo");
    const std::vector<std::string> data = Entries(tree.Data());
    SetReadOnly(tree.Data(), true);
    for (const std::string& program : {tree.Program("kvx-demo"), home + "/bin/kvx-demo"}) {
        SCOPED_TRACE(program);
        fs::remove(elsewhere + "/shot.png");
        const ProgramRun shot =
            RunProgram(program, {"--batch", "--frames", "5", "--screenshot", "shot.png"}, elsewhere,
                       {"SDL_AUDIODRIVER=dummy", "HOME=" + home, "XDG_RUNTIME_DIR=" + run});
        EXPECT_EQ(shot.exitCode, 0) << shot.err;
        EXPECT_EQ(PngSize(elsewhere + "/shot.png"), std::make_pair(800u, 600u));
        EXPECT_EQ(Entries(tree.Data()), data);
        EXPECT_TRUE(Entries(run).empty());
    }
    EXPECT_EQ(Entries(home), std::vector<std::string>{"bin"});
    SetReadOnly(tree.Data(), false);
}

TEST(InstalledTree, HoldsAValidDesktopEntryIconsAndManualPages) {
    InstalledTree tree;
    const std::string share = tree.Prefix() + "/share";
    const ProgramRun entry = RunProgram(
        KVX_DESKTOP_FILE_VALIDATE, {share + "/applications/kvx-demo.desktop"}, tree.Folder("x"));
    EXPECT_EQ(entry.exitCode, 0) << entry.out << entry.err;
    EXPECT_EQ(entry.out + entry.err, "");
    for (std::uint32_t size : {16u, 32u, 48u, 64u, 128u, 256u}) {
        const std::string side = std::to_string(size);
        EXPECT_EQ(PngSize(share + "/icons/hicolor/" + side + "x" + side + "/apps/kvx-demo.png"),
                  std::make_pair(size, size));
    }
    for (const char* program : {"kvx-demo", "kvx-pack", "kvx-trapezoid"}) {
        SCOPED_TRACE(program);
        EXPECT_TRUE(fs::exists(tree.Program(program)));
        const ProgramRun page =
            RunProgram(KVX_MAN, {"--pager=cat", "-l", share + "/man/man1/" + program + ".1"},
                       tree.Folder("x"), {"MANWIDTH=80"});
        EXPECT_EQ(page.exitCode, 0) << page.err;
        EXPECT_NE(page.out.find(std::string(program) + " - "), std::string::npos) << page.out;
        EXPECT_NE(page.out.find("--help"), std::string::npos) << page.out;
    }
}

}  // namespace
