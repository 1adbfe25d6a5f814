// The program started in a directory whose ./data/ holds containers made by
// the test: how the scene's loading ends, as the user sees it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "tests/crypt/crypt_test_util.h"
#include "tests/crypt/run_command.h"
#include "tests/scene/md2_writer.h"
#include "tests/scene/scene_data.h"

namespace {

using testing::HasSubstr;
using testing::Not;

struct StartUp {
    const char* what;
    std::function<void(SceneData&)> change;
    bool starts;
    const char* output;  // a line the run prints
};

TEST(SceneProgramTest, StartUpEndsCleanlyWhateverTheContainersHold) {
    const StartUp cases[] = {
        {"all containers good", [](SceneData&) {}, true, nullptr},
        {"T020 missing", [](SceneData& d) { d.Remove(20); }, false,
         "FileCrypt ERROR: Cannot open File ./data/T020.dat!"},
        {"T003 a damaged MD2 file",
         [](SceneData& d) {
             std::vector<uint8_t> cut = StandRunModel().Bytes();
             cut.resize(100);
             d.Set(3, cut);
         },
         true, "Scene error: ./data/T003.dat: the"},
    };
    for (const StartUp& c : cases) {
        TempDir dir;
        SceneData data;
        c.change(data);
        data.WriteContainers(dir.Path("data"));
        // exec, so that a crash shows as a signal (status -1), not as the
        // shell's exit status.
        const CommandResult run =
            RunCommand("cd " + Quote(dir.Path("")) + " && exec env SDL_AUDIODRIVER=dummy " +
                       Quote(KVX_DEMO) + " --frames 2 --batch");
        if (c.starts) {
            EXPECT_EQ(run.status, 0) << c.what << "\n" << run.output;
        } else {
            EXPECT_GT(run.status, 0) << c.what << "\n" << run.output;
        }
        if (c.output != nullptr)
            EXPECT_THAT(run.output, HasSubstr(c.output)) << c.what;
        else
            EXPECT_THAT(run.output, Not(HasSubstr("Scene error"))) << c.what;
        for (const char* scratch : {"data/temp0", "data/temp1", "data/temp2"})
            EXPECT_FALSE(std::filesystem::exists(dir.Path(scratch))) << c.what << ": " << scratch;
    }
}

}  // namespace
