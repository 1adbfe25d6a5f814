// The kvx-pack command line: its commands, the manifest build and its error reports: usage errors
// with status 2, failures of the work with status 1, each under the program's name.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/crypt/crypt_test_util.h"
#include "tests/crypt/run_command.h"

namespace {

CommandResult Pack(const std::string& arguments) {
    return RunCommand(Quote(KVX_PACK) + " " + arguments);
}

class PackToolTest : public ::testing::Test {
  protected:
    TempDir m_dir;
};

TEST_F(PackToolTest, EncryptThenDecryptGivesThePaddedFile) {
    const Bytes asset = TestPattern(1001);
    WriteBytes(m_dir.Path("asset"), asset);
    const std::string files = Quote(m_dir.Path("asset")) + " " + Quote(m_dir.Path("c"));
    ASSERT_EQ(Pack("encrypt " + files).status, 0);
    EXPECT_EQ(ReadBytes(m_dir.Path("c")).size(), 32u + 1008u);
    ASSERT_EQ(Pack("decrypt " + Quote(m_dir.Path("c")) + " " + Quote(m_dir.Path("p"))).status, 0);
    Bytes padded = asset;
    padded.resize(1008, 0);
    EXPECT_EQ(ReadBytes(m_dir.Path("p")), padded);
}

TEST_F(PackToolTest, BuildPacksTheManifestInOrder) {
    std::filesystem::create_directories(m_dir.Path("assets/sub"));
    WriteBytes(m_dir.Path("assets/a.bin"), TestPattern(10, 1));
    WriteBytes(m_dir.Path("assets/sub/b.bin"), TestPattern(500, 2));
    WriteBytes(m_dir.Path("c.bin"), TestPattern(16, 3));
    std::ofstream(m_dir.Path("assets/list.txt")) << "# scene assets\n  sub/b.bin \n\na.bin\r\n"
                                                 << m_dir.Path("c.bin") << "\n";

    const auto result =
        Pack("build " + Quote(m_dir.Path("assets/list.txt")) + " " + Quote(m_dir.Path("out/data")));
    ASSERT_EQ(result.status, 0) << result.output;
    const struct {
        const char* container;
        std::size_t size;
        unsigned seed;
    } expected[] = {{"T001.dat", 500, 2}, {"T002.dat", 10, 1}, {"T003.dat", 16, 3}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.container);
        const std::string container = m_dir.Path("out/data/") + e.container;
        ASSERT_EQ(Pack("decrypt " + Quote(container) + " " + Quote(m_dir.Path("p"))).status, 0);
        Bytes plain = ReadBytes(m_dir.Path("p"));
        plain.resize(e.size);
        EXPECT_EQ(plain, TestPattern(e.size, e.seed));
    }
    EXPECT_FALSE(std::filesystem::exists(m_dir.Path("out/data/T004.dat")));
}

TEST_F(PackToolTest, ErrorsPrintTheirMessageAndFail) {
    WriteBytes(m_dir.Path("asset"), TestPattern(20));
    std::ofstream(m_dir.Path("list")) << "asset\nmissing\n";
    std::ofstream(m_dir.Path("empty")) << "# nothing\n";
    const std::string asset = Quote(m_dir.Path("asset"));
    const std::string missing = m_dir.Path("missing");
    const struct {
        std::string arguments;
        int status;
        std::string message;
    } cases[] = {
        {"", 2, "kvx-pack: no command given"},
        {"pack a b", 2, "kvx-pack: unknown command pack"},
        {"encrypt a", 2, "kvx-pack: encrypt takes two file arguments"},
        {"encrypt a b --mode x", 2, "kvx-pack: --mode needs a number, not 'x'"},
        {"encrypt a b --iv 12", 2, "kvx-pack: --iv needs 16 hexadecimal digits, not '12'"},
        {"encrypt a b --key", 2, "kvx-pack: --key: 1 required TEXT missing"},
        {"encrypt a b --colour red", 2,
         "kvx-pack: The following argument was not expected: --colour"},
        {"encrypt " + asset + " x --mode 3", 2,
         "kvx-pack: --mode: 3 is not 0 (ECB), 1 (CBC) or 2 (CFB)"},
        {"encrypt " + asset + " x --mode=9", 2,
         "kvx-pack: --mode: 9 is not 0 (ECB), 1 (CBC) or 2 (CFB)"},
        {"encrypt " + asset + " x --padding 7", 2,
         "kvx-pack: --padding: 7 is not 0 (zero bytes), 1 (spaces) or 2 (fill count)"},
        {"--version", 0, std::string("kvx-pack ") + KVX_VERSION},
        {"encrypt " + asset + " x --key ''", 1,
         "kvx-pack: FileCrypt ERROR: Key Data Length should be > 0!"},
        {"encrypt " + asset + " " + asset, 1,
         "kvx-pack: FileCrypt ERROR: The same File for Input and Output " + m_dir.Path("asset") +
             "!"},
        {"decrypt " + asset + " " + Quote(m_dir.Path("p")), 1,
         "kvx-pack: FileCrypt ERROR: File " + m_dir.Path("asset") +
             " cannot be Correctly Decrypted!"},
        {"encrypt -- --odd " + Quote(m_dir.Path("p")), 1,
         "kvx-pack: FileCrypt ERROR: Cannot open File --odd!"},
        {"build " + Quote(m_dir.Path("list")) + " " + Quote(m_dir.Path("out")), 1,
         "kvx-pack: FileCrypt ERROR: Cannot open File " + missing + "!"},
        {"build " + Quote(m_dir.Path("empty")) + " " + Quote(m_dir.Path("out")), 1,
         "kvx-pack: manifest " + m_dir.Path("empty") + " lists no files"},
        {"build " + Quote(missing) + " out", 1,
         "kvx-pack: cannot read manifest " + missing + ": No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const auto result = Pack(c.arguments);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.output.substr(0, result.output.find('\n')), c.message);
    }
}

// A failed encrypt or decrypt leaves OUT as it was: an old file byte for byte, no new file, and no
// temporary file beside it.
TEST_F(PackToolTest, AFailedCommandLeavesTheOutputAsItWas) {
    std::filesystem::create_directory(m_dir.Path("in-dir"));
    WriteBytes(m_dir.Path("plain"), TestPattern(40));
    ASSERT_EQ(
        Pack("encrypt " + Quote(m_dir.Path("plain")) + " " + Quote(m_dir.Path("good"))).status, 0);
    const Bytes old = TestPattern(77, 9);
    const struct {
        const char* what;
        std::string arguments;
        bool outExisted;
    } cases[] = {
        {"encrypt a directory over a file",
         "encrypt " + Quote(m_dir.Path("in-dir")) + " " + Quote(m_dir.Path("out/old")), true},
        {"encrypt a directory to a new file",
         "encrypt " + Quote(m_dir.Path("in-dir")) + " " + Quote(m_dir.Path("out/new")), false},
        {"decrypt with another key",
         "decrypt " + Quote(m_dir.Path("good")) + " " + Quote(m_dir.Path("out/old")) + " --key x",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(m_dir.Path("out"));
        std::filesystem::create_directory(m_dir.Path("out"));
        WriteBytes(m_dir.Path("out/old"), old);
        const auto result = Pack(c.arguments);
        EXPECT_EQ(result.status, 1) << result.output;
        EXPECT_EQ(ReadBytes(m_dir.Path("out/old")), old);
        EXPECT_FALSE(std::filesystem::exists(m_dir.Path("out/new")));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir.Path("out")),
                                std::filesystem::directory_iterator()),
                  1);
    }
}

// What stands at OUT stays what it was: a private file stays private, a link stays a link to the
// file it names, and a FIFO or a device is not replaced by a plain file.
TEST_F(PackToolTest, TheOutputKeepsItsKindAndPermissions) {
    namespace fs = std::filesystem;
    WriteBytes(m_dir.Path("plain"), TestPattern(40));
    const std::string encrypt = "encrypt " + Quote(m_dir.Path("plain")) + " ";

    WriteBytes(m_dir.Path("private"), TestPattern(5));
    fs::permissions(m_dir.Path("private"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(Pack(encrypt + Quote(m_dir.Path("private"))).status, 0);
    EXPECT_EQ(fs::status(m_dir.Path("private")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);

    WriteBytes(m_dir.Path("target"), TestPattern(5));
    fs::create_symlink("target", m_dir.Path("link"));
    ASSERT_EQ(Pack(encrypt + Quote(m_dir.Path("link"))).status, 0);
    EXPECT_TRUE(fs::is_symlink(m_dir.Path("link")));
    EXPECT_GT(fs::file_size(m_dir.Path("target")), 40u);

    ASSERT_EQ(mkfifo(m_dir.Path("fifo").c_str(), 0600), 0);
    const auto result = Pack(encrypt + Quote(m_dir.Path("fifo")));
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.output, "kvx-pack: FileCrypt ERROR: Cannot write File " + m_dir.Path("fifo") +
                                 ": it is not a regular file!\n");
    EXPECT_TRUE(fs::is_fifo(m_dir.Path("fifo")));
}

TEST_F(PackToolTest, HelpDescribesTheCommands) {
    const auto result = Pack("--help");
    EXPECT_EQ(result.status, 0);
    EXPECT_NE(result.output.find("kvx-pack build MANIFEST DIR"), std::string::npos);
}

}  // namespace
