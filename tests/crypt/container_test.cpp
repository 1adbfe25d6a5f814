// Container files: the header, the padded body, decryption and its failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "crypt/blowfish.h"
#include "tests/crypt/crypt_test_util.h"

namespace {

constexpr char KEY[] = "r&e&v&o";
constexpr std::size_t HEADER = 32;
// SHA-256 of "BLOWFISH", the key repeated to 56 bytes and "00" (ECB, zero padding), from an
// independent tool.
constexpr char PROGRAM_HEADER[] =
    "7CFE72AFAB6C09C1F0CC0444241677347D3F28D2DB208D54C8D69239ECBF8816";

class ContainerTest : public ::testing::Test {
  protected:
    static void Init(CBlowfish& cipher, const std::string& key, int mode = 0, int padding = 0) {
        cipher.Initialize(key.data(), static_cast<std::int32_t>(key.size()),
                          {0x01234567, 0x89ABCDEF}, mode, padding);
    }

    // Encrypts asset into a container with the given settings and returns the container's path.
    std::string Pack(const Bytes& asset, int mode = 0, int padding = 0) {
        CBlowfish cipher;
        Init(cipher, KEY, mode, padding);
        WriteBytes(m_dir.Path("asset"), asset);
        cipher.EncryptFile(m_dir.Path("asset"), m_dir.Path("container"));
        return m_dir.Path("container");
    }

    TempDir m_dir;
};

Bytes Padded(Bytes asset, std::uint8_t fill) {
    const std::size_t count = (8 - asset.size() % 8) % 8;
    const std::uint8_t value = fill == 2 ? static_cast<std::uint8_t>(count) : fill;
    asset.insert(asset.end(), count, value);
    return asset;
}

TEST_F(ContainerTest, ProgramSettingsGiveHeaderAndPaddedEcbBody) {
    const struct {
        std::size_t size;
        int padding;
        std::uint8_t fill;
        std::size_t containerSize;
    } cases[] = {
        {0, 0, 0, 32},    {13, 0, 0x00, 48}, {13, 1, 0x20, 48}, {13, 2, 2, 48},
        {400, 0, 0, 432}, {400, 2, 2, 432},  {768, 0, 0, 800},  {1001, 1, 0x20, 1040},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " bytes, padding " << c.padding);
        const Bytes asset = TestPattern(c.size);
        const Bytes container = ReadBytes(Pack(asset, 0, c.padding));
        ASSERT_EQ(container.size(), c.containerSize);
        if (c.padding == 0) {
            EXPECT_EQ(ToHex(Bytes(container.begin(), container.begin() + HEADER)), PROGRAM_HEADER);
        }

        const Bytes padded = Padded(asset, c.fill);
        if (!padded.empty()) {
            CBlowfish cipher;
            Init(cipher, KEY, 0, c.padding);
            Bytes body(padded.size());
            cipher.EncryptBuffer(padded.data(), body.data(),
                                 static_cast<std::uint32_t>(body.size()));
            EXPECT_EQ(Bytes(container.begin() + HEADER, container.end()), body);
        }

        CBlowfish cipher;
        Init(cipher, KEY, 0, c.padding);
        cipher.DecryptFile(m_dir.Path("container"), m_dir.Path("plain"));
        EXPECT_EQ(ReadBytes(m_dir.Path("plain")), padded);
    }
}

TEST_F(ContainerTest, ChainedModesRestartTheChainForEveryFile) {
    const Bytes asset = TestPattern(1000);
    for (int mode : {CBlowfish::MODE_CBC, CBlowfish::MODE_CFB}) {
        SCOPED_TRACE(mode);
        CBlowfish cipher;
        Init(cipher, KEY, mode, 2);
        WriteBytes(m_dir.Path("asset"), asset);
        cipher.EncryptFile(m_dir.Path("asset"), m_dir.Path("first"));
        cipher.EncryptFile(m_dir.Path("asset"), m_dir.Path("second"));
        EXPECT_EQ(ReadBytes(m_dir.Path("first")), ReadBytes(m_dir.Path("second")));
        cipher.DecryptFile(m_dir.Path("second"), m_dir.Path("plain"));
        EXPECT_EQ(ReadBytes(m_dir.Path("plain")), Padded(asset, 2));
    }
}

// The header is checked before the output is opened, so a refused container leaves whatever was
// at the output path untouched.
TEST_F(ContainerTest, WrongSettingsOrDamagedHeaderAreRefusedBeforeWriting) {
    const std::string container = Pack(TestPattern(100));
    const Bytes good = ReadBytes(container);
    Bytes damaged = good;
    damaged[31] ^= 1;
    WriteBytes(m_dir.Path("damaged"), damaged);
    WriteBytes(m_dir.Path("short"), Bytes(good.begin(), good.begin() + 31));

    const struct {
        const char* name;
        std::string key;
        int mode;
        int padding;
        std::string input;
    } cases[] = {
        {"other key", "r&e&v&x", 0, 0, container},
        {"other mode", KEY, 1, 0, container},
        {"other padding", KEY, 0, 2, container},
        {"damaged header", KEY, 0, 0, m_dir.Path("damaged")},
        {"short header", KEY, 0, 0, m_dir.Path("short")},
    };
    const Bytes previous = TestPattern(77, 3);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(m_dir.Path("plain"), previous);
        CBlowfish cipher;
        Init(cipher, c.key, c.mode, c.padding);
        EXPECT_EQ(ErrorOf([&] { cipher.DecryptFile(c.input, m_dir.Path("plain")); }),
                  "FileCrypt ERROR: File " + c.input + " cannot be Correctly Decrypted!");
        EXPECT_EQ(ReadBytes(m_dir.Path("plain")), previous);
    }
    CBlowfish cipher;
    Init(cipher, KEY);
    EXPECT_EQ(ErrorOf([&] { cipher.DecryptFile(m_dir.Path("short"), m_dir.Path("new")); }),
              "FileCrypt ERROR: File " + m_dir.Path("short") + " cannot be Correctly Decrypted!");
    EXPECT_FALSE(std::filesystem::exists(m_dir.Path("new")));
}

// A body cut short of a whole block: the full chunks before the last are written, then the
// error is raised.
TEST_F(ContainerTest, TruncatedBodyWritesTheChunksBeforeTheError) {
    const struct {
        std::size_t assetSize;
        std::size_t cut;
        std::size_t written;
    } cases[] = {{13, 3, 0}, {400, 1, 384}, {768, 5, 384}, {2000, 7, 1920}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.assetSize);
        const Bytes asset = TestPattern(c.assetSize);
        Bytes container = ReadBytes(Pack(asset));
        container.resize(container.size() - c.cut);
        WriteBytes(m_dir.Path("cut"), container);
        CBlowfish cipher;
        Init(cipher, KEY);
        EXPECT_EQ(ErrorOf([&] { cipher.DecryptFile(m_dir.Path("cut"), m_dir.Path("plain")); }),
                  "Illegal Block Size!");
        EXPECT_EQ(ReadBytes(m_dir.Path("plain")),
                  Bytes(asset.begin(), asset.begin() + static_cast<long>(c.written)));
    }
}

TEST_F(ContainerTest, FileNameErrors) {
    const std::string asset = m_dir.Path("asset");
    WriteBytes(asset, TestPattern(50));
    const std::string sameFile = "FileCrypt ERROR: The same File for Input and Output ";
    const std::string missing = m_dir.Path("missing");
    const std::string noFolder = m_dir.Path("no/such/folder");
    const struct {
        std::string in;
        std::string out;
        std::string message;
    } cases[] = {
        {missing, missing, sameFile + missing + "!"},
        {asset, m_dir.Path("./asset"), sameFile + asset + "!"},
        {missing, m_dir.Path("out"), "FileCrypt ERROR: Cannot open File " + missing + "!"},
        {asset, noFolder, "FileCrypt ERROR: Cannot open File " + noFolder + "!"},
    };
    CBlowfish cipher;
    Init(cipher, KEY);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in + " -> " + c.out);
        EXPECT_EQ(ErrorOf([&] { cipher.EncryptFile(c.in, c.out); }), c.message);
    }
    EXPECT_EQ(ReadBytes(asset), TestPattern(50));
    const std::string container = Pack(TestPattern(50));
    EXPECT_EQ(ErrorOf([&] { cipher.DecryptFile(container, m_dir.Path("./container")); }),
              sameFile + container + "!");
    EXPECT_EQ(ReadBytes(container).size(), 88u);
}

TEST_F(ContainerTest, FileOperationsNeedInitialisation) {
    const std::string notInit = "FileCrypt ERROR: Encryption/Decryption Object not Initialized!";
    CBlowfish cipher;
    EXPECT_EQ(ErrorOf([&] { cipher.EncryptFile("a", "a"); }), notInit);
    EXPECT_EQ(ErrorOf([&] { cipher.DecryptFile("a", "b"); }), notInit);
}

// A failed write must not pass for a finished container.
TEST_F(ContainerTest, WriteFailureIsReported) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    WriteBytes(m_dir.Path("asset"), TestPattern(5000));
    CBlowfish cipher;
    Init(cipher, KEY);
    EXPECT_EQ(ErrorOf([&] { cipher.EncryptFile(m_dir.Path("asset"), "/dev/full"); }),
              "FileCrypt ERROR: Cannot write File /dev/full!");
}

TEST_F(ContainerTest, KeysWithTheSameExpansionOpenEachOthersContainers) {
    CBlowfish shortKey;
    Init(shortKey, "ab");
    CBlowfish longKey;
    Init(longKey, "abababab");
    WriteBytes(m_dir.Path("asset"), TestPattern(30));
    shortKey.EncryptFile(m_dir.Path("asset"), m_dir.Path("container"));
    longKey.DecryptFile(m_dir.Path("container"), m_dir.Path("plain"));
    EXPECT_EQ(ReadBytes(m_dir.Path("plain")), Padded(TestPattern(30), 0));
}

// The digest covers mode and padding even for a key with a zero byte in it.
TEST_F(ContainerTest, KeyWithZeroByteStillBindsModeAndPadding) {
    const std::string key("a\0b", 3);
    CBlowfish writer;
    Init(writer, key, 0, 0);
    WriteBytes(m_dir.Path("asset"), TestPattern(30));
    writer.EncryptFile(m_dir.Path("asset"), m_dir.Path("container"));
    for (int mode : {1, 2}) {
        CBlowfish reader;
        Init(reader, key, mode, 0);
        EXPECT_NE(ErrorOf([&] { reader.DecryptFile(m_dir.Path("container"), m_dir.Path("p")); }),
                  "no error");
    }
}

TEST(PadBuffer, FillsTheLastBlockByPaddingCode) {
    const struct {
        std::int32_t length;
        int padding;
        std::int32_t padded;
        const char* tail;
    } cases[] = {
        {13, 0, 16, "000000"}, {13, 1, 16, "202020"},
        {13, 2, 16, "030303"}, {9, 2, 16, "07070707070707"},
        {15, 1, 16, "20"},     {16, 2, 16, ""},
        {0, 1, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.length << " padding " << c.padding);
        CBlowfish cipher;
        cipher.Initialize(KEY, 7, {0, 0}, 0, c.padding);
        Bytes buffer(static_cast<std::size_t>(c.length) + 7, 0xEE);
        EXPECT_EQ(cipher.PadBuffer(buffer.data(), c.length), c.padded);
        EXPECT_EQ(ToHex(Bytes(buffer.begin() + c.length, buffer.begin() + c.padded)), c.tail);
        if (c.padded < c.length + 7) {
            EXPECT_EQ(buffer[static_cast<std::size_t>(c.padded)], 0xEE);
        }
    }
}

}  // namespace
