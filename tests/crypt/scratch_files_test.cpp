// Decrypting containers into scratch files in an untrusted data folder: what may stand at a
// scratch name or a container name, what is removed afterwards, and programs kept apart.
#include "crypt/scratch_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <string>

#include "crypt/blowfish.h"
#include "crypt/container_input.h"
#include "tests/crypt/crypt_test_util.h"

namespace {

namespace fs = std::filesystem;

constexpr char KEY[] = "r&e&v&o";
const std::string CONTAINER = "./data/T001.dat";

// Runs each test in a folder of its own with ./data/T001.dat holding a 1000-byte asset.
class ScratchFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_previous = fs::current_path();
        fs::current_path(m_dir.Path(""));
        fs::create_directory("data");
        m_cipher.Initialize(KEY, 7, {0, 0}, 0, 0);
        WriteBytes("asset", TestPattern(1000));
        m_cipher.EncryptFile("asset", CONTAINER);
    }
    void TearDown() override { fs::current_path(m_previous); }

    std::string DecryptError(const std::string& container, int index = 0) {
        ScratchFiles scratch;
        return ErrorOf([&] { scratch.Decrypt(m_cipher, container, index); });
    }

    TempDir m_dir;
    fs::path m_previous;
    CBlowfish m_cipher;
};

TEST_F(ScratchFilesTest, DecryptsIntoAPrivateFileThatRemoveDeletes) {
    ScratchFiles scratch;
    scratch.Decrypt(m_cipher, CONTAINER, 1);
    struct stat info;
    ASSERT_EQ(lstat(SCRATCH_FILES[1], &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    Bytes plain = ReadBytes(SCRATCH_FILES[1]);
    EXPECT_EQ(plain, TestPattern(1000));
    scratch.Remove();
    EXPECT_FALSE(fs::exists(SCRATCH_FILES[1]));
}

// Whatever stands at a scratch name is neither written through nor replaced nor removed.
TEST_F(ScratchFilesTest, AnEntryAtTheScratchNameIsLeftAsItWas) {
    const Bytes victim = TestPattern(50, 7);
    const struct {
        const char* what;
        std::function<void()> place;
        std::function<void()> check;
    } cases[] = {
        {"link to a file",
         [&] {
             WriteBytes("victim", victim);
             fs::create_symlink("../victim", SCRATCH_FILES[0]);
         },
         [&] {
             EXPECT_EQ(ReadBytes("victim"), victim);
             EXPECT_TRUE(fs::is_symlink(SCRATCH_FILES[0]));
         }},
        {"dangling link",
         [] { fs::create_symlink("../created-through-the-link", SCRATCH_FILES[0]); },
         [] {
             EXPECT_FALSE(fs::exists("created-through-the-link"));
             EXPECT_TRUE(fs::is_symlink(SCRATCH_FILES[0]));
         }},
        {"empty directory", [] { fs::create_directory(SCRATCH_FILES[0]); },
         [] { EXPECT_TRUE(fs::is_directory(SCRATCH_FILES[0])); }},
        {"read-only file",
         [&] {
             WriteBytes(SCRATCH_FILES[0], victim);
             fs::permissions(SCRATCH_FILES[0], fs::perms::owner_read);
         },
         [&] { EXPECT_EQ(ReadBytes(SCRATCH_FILES[0]), victim); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.place();
        EXPECT_EQ(DecryptError(CONTAINER),
                  "FileCrypt ERROR: Cannot create the scratch File ./data/temp0: something of "
                  "that name is already there (left by a program that was killed, or another "
                  "program is loading from this folder). Remove it and start again!");
        c.check();
        fs::remove_all(SCRATCH_FILES[0]);
        fs::remove("victim");
    }
}

// A container that is no regular file is refused before a byte is read (a FIFO without a writer
// would block forever); a link to a regular container is followed.
TEST_F(ScratchFilesTest, ContainersMustBeRegularFiles) {
    ASSERT_EQ(mkfifo("data/T002.dat", 0600), 0);
    fs::create_directory("data/T003.dat");
    fs::create_symlink("/dev/zero", "data/T004.dat");
    fs::create_symlink("T001.dat", "data/T005.dat");
    const struct {
        std::string container;
        std::string error;
    } cases[] = {
        {"./data/T002.dat",
         "FileCrypt ERROR: File ./data/T002.dat is a FIFO, not a container File!"},
        {"./data/T003.dat",
         "FileCrypt ERROR: File ./data/T003.dat is a directory, not a container File!"},
        {"./data/T004.dat",
         "FileCrypt ERROR: File ./data/T004.dat is a device, not a container File!"},
        {"./data/T006.dat", "FileCrypt ERROR: Cannot open File ./data/T006.dat!"},
        {"./data/T005.dat", "no error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.container);
        EXPECT_EQ(DecryptError(c.container), c.error);
        EXPECT_FALSE(fs::exists(SCRATCH_FILES[0]));
    }
}

// The length is checked before decrypting, so no partial asset is ever written: a cut and an
// addition (which cannot be told apart), and a length no asset of the scene comes near.
TEST_F(ScratchFilesTest, ContainersOfTheWrongLengthAreRefusedBeforeWriting) {
    const Bytes container = ReadBytes(CONTAINER);
    const struct {
        const char* what;
        Bytes bytes;
        std::string error;
        std::uintmax_t length = 0;  // the file is made this long when not 0
    } cases[] = {
        {"cut", Bytes(container.begin(), container.end() - 3),
         "FileCrypt ERROR: File ./data/T001.dat is Truncated or has Bytes Appended: its body is "
         "not a whole number of 8-byte blocks!"},
        {"bytes appended",
         [&] {
             Bytes b = container;
             b.push_back(1);
             return b;
         }(),
         "FileCrypt ERROR: File ./data/T001.dat is Truncated or has Bytes Appended: its body is "
         "not a whole number of 8-byte blocks!"},
        {"cut in the header", Bytes(container.begin(), container.begin() + 20),
         "FileCrypt ERROR: File ./data/T001.dat cannot be Correctly Decrypted!"},
        // A sparse file: 300 MiB long, next to nothing on disk.
        {"too large", container,
         "FileCrypt ERROR: File ./data/T001.dat is 300 MiB, more than the 256 MiB a container may "
         "hold!",
         std::uintmax_t{300} << 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(CONTAINER, c.bytes);
        if (c.length != 0)
            fs::resize_file(CONTAINER, c.length);
        EXPECT_EQ(DecryptError(CONTAINER), c.error);
        EXPECT_FALSE(fs::exists(SCRATCH_FILES[0]));
    }
}

// A container that grows while it is read gives only the bytes it had when it was opened, so
// the length checks cannot be outrun by a writer.
TEST_F(ScratchFilesTest, AContainerReadsNoFurtherThanItsLengthWhenOpened) {
    const Bytes container = ReadBytes(CONTAINER);
    ContainerInput input(CONTAINER);
    Bytes grown = container;
    grown.resize(container.size() + (1 << 20), 7);
    WriteBytes(CONTAINER, grown);
    const std::string read((std::istreambuf_iterator<char>(input.Stream())),
                           std::istreambuf_iterator<char>());
    EXPECT_EQ(Bytes(read.begin(), read.end()), container);
}

// After an error, only the files this step created go; a file put in place of one of them by
// someone else stays.
TEST_F(ScratchFilesTest, CleanUpRemovesOnlyWhatItCreated) {
    {
        ScratchFiles scratch;
        scratch.Decrypt(m_cipher, CONTAINER, 0);
        EXPECT_NE(ErrorOf([&] { scratch.Decrypt(m_cipher, "./data/missing", 1); }), "no error");
    }
    EXPECT_FALSE(fs::exists(SCRATCH_FILES[0]));

    const Bytes foreign = TestPattern(30, 5);
    ScratchFiles scratch;
    scratch.Decrypt(m_cipher, CONTAINER, 0);
    WriteBytes("foreign", foreign);
    fs::rename("foreign", SCRATCH_FILES[0]);
    scratch.Remove();
    EXPECT_EQ(ReadBytes(SCRATCH_FILES[0]), foreign);
}

// Without read permission on the data folder its lock cannot be taken; a second program that
// meets the first one's scratch file stops with the message instead of sharing it. Run as an
// unprivileged user (root reads any folder), in child processes that stand for the two programs.
TEST_F(ScratchFilesTest, ExclusiveCreationKeepsProgramsApartWithoutTheLock) {
    constexpr uid_t NOBODY = 65534;
    fs::permissions("data", fs::perms::owner_write | fs::perms::owner_exec);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(m_dir.Path("").c_str(), NOBODY, NOBODY), 0);
        ASSERT_EQ(chown("data", NOBODY, NOBODY), 0);
        ASSERT_EQ(chown(CONTAINER.c_str(), NOBODY, NOBODY), 0);
    }
    int ready[2];
    int finish[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(finish), 0);
    const auto asUser = [&] {
        if (geteuid() == 0 && (setgid(NOBODY) != 0 || setuid(NOBODY) != 0))
            _exit(10);
    };
    const pid_t first = fork();
    if (first == 0) {
        asUser();
        ScratchFiles scratch;
        scratch.Decrypt(m_cipher, CONTAINER, 0);
        char byte = 1;
        if (write(ready[1], &byte, 1) != 1 || read(finish[0], &byte, 1) != 1)
            _exit(11);
        scratch.Remove();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    const pid_t second = fork();
    if (second == 0) {
        asUser();
        const std::string error = DecryptError(CONTAINER);
        _exit(error.find("Cannot create the scratch File ./data/temp0") != std::string::npos ? 0
                                                                                             : 12);
    }
    int status = 0;
    ASSERT_EQ(waitpid(second, &status, 0), second);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    ASSERT_EQ(write(finish[1], &byte, 1), 1);
    ASSERT_EQ(waitpid(first, &status, 0), first);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    fs::permissions("data", fs::perms::owner_all);
}

}  // namespace
