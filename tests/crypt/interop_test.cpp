// Containers made here open in independent Blowfish implementations (pycryptodome through a
// small reference script, and the openssl command line tool), and the other way round.
#include <gtest/gtest.h>

#include <string>

#include "tests/crypt/crypt_test_util.h"
#include "tests/crypt/run_command.h"

namespace {

struct Settings {
    std::string key;
    int mode;
    int padding;
    std::string iv;
};

const Settings PROGRAM{"r&e&v&o", 0, 0, "0000000000000000"};

std::string HexOf(const std::string& text) {
    return ToHex(Bytes(text.begin(), text.end()));
}

std::string PackArgs(const Settings& s) {
    return " --key " + Quote(s.key) + " --mode " + std::to_string(s.mode) + " --padding " +
           std::to_string(s.padding) + " --iv " + s.iv;
}

Bytes Padded(Bytes data, int padding) {
    const std::size_t count = (8 - data.size() % 8) % 8;
    const std::uint8_t fill[] = {0x00, 0x20, static_cast<std::uint8_t>(count)};
    data.insert(data.end(), count, fill[padding]);
    return data;
}

class InteropTest : public ::testing::Test {
  protected:
    void Pack(const char* command, const Settings& s, const std::string& in,
              const std::string& out) {
        const auto result = RunCommand(Quote(KVX_PACK) + " " + command + " " + Quote(in) + " " +
                                       Quote(out) + PackArgs(s));
        ASSERT_EQ(result.status, 0) << result.output;
    }

    void Reference(const char* command, const Settings& s, const std::string& in,
                   const std::string& out) {
        const auto result =
            RunCommand(Quote(KVX_REFERENCE_PYTHON) + " " + Quote(KVX_REFERENCE_SCRIPT) + " " +
                       command + " " + HexOf(s.key) + " " + std::to_string(s.mode) + " " +
                       std::to_string(s.padding) + " " + s.iv + " " + Quote(in) + " " + Quote(out));
        ASSERT_EQ(result.status, 0) << result.output;
    }

    TempDir m_dir;
};

// Both directions for the program's settings and for chained modes under another key; the two
// sides must also produce the very same container bytes.
TEST_F(InteropTest, ContainersMatchTheReferenceBothWays) {
    const Settings cases[] = {
        PROGRAM,
        {"8charkey", 1, 2, "0123456789ABCDEF"},
        {"8charkey", 2, 1, "FEDCBA9876543210"},
        {"fourteen-chars", 1, 0, "00000000FFFFFFFF"},
    };
    for (const Settings& s : cases) {
        for (std::size_t size : {0u, 13u, 400u, 1000u}) {
            SCOPED_TRACE(testing::Message() << s.key << " mode " << s.mode << ", " << size);
            const Bytes asset = TestPattern(size, static_cast<unsigned>(size));
            WriteBytes(m_dir.Path("asset"), asset);

            Pack("encrypt", s, m_dir.Path("asset"), m_dir.Path("ours"));
            Reference("decrypt", s, m_dir.Path("ours"), m_dir.Path("plain-there"));
            EXPECT_EQ(ReadBytes(m_dir.Path("plain-there")), Padded(asset, s.padding));

            Reference("encrypt", s, m_dir.Path("asset"), m_dir.Path("theirs"));
            Pack("decrypt", s, m_dir.Path("theirs"), m_dir.Path("plain-here"));
            EXPECT_EQ(ReadBytes(m_dir.Path("plain-here")), Padded(asset, s.padding));
            EXPECT_EQ(ReadBytes(m_dir.Path("theirs")), ReadBytes(m_dir.Path("ours")));
        }
    }
}

// openssl takes a 16-byte Blowfish key on its command line; an 8-byte key written twice is the
// same cipher as the 8-byte key.
TEST_F(InteropTest, BodiesAreOpenSslBlowfishEcb) {
    const Settings s{"kvx-demo", 0, 0, "0000000000000000"};
    const std::string openssl = Quote(KVX_OPENSSL) + " enc -bf-ecb -nopad -provider legacy" +
                                " -provider default -K " + HexOf(s.key + s.key);
    const Bytes asset = TestPattern(1000);
    WriteBytes(m_dir.Path("asset"), asset);
    Pack("encrypt", s, m_dir.Path("asset"), m_dir.Path("ours"));
    const Bytes ours = ReadBytes(m_dir.Path("ours"));
    const Bytes header(ours.begin(), ours.begin() + 32);
    WriteBytes(m_dir.Path("body"), Bytes(ours.begin() + 32, ours.end()));

    auto result = RunCommand(openssl + " -d -in " + Quote(m_dir.Path("body")) + " -out " +
                             Quote(m_dir.Path("plain-there")));
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_EQ(ReadBytes(m_dir.Path("plain-there")), Padded(asset, 0));

    result = RunCommand(openssl + " -e -in " + Quote(m_dir.Path("plain-there")) + " -out " +
                        Quote(m_dir.Path("their-body")));
    ASSERT_EQ(result.status, 0) << result.output;
    Bytes theirs = header;
    const Bytes body = ReadBytes(m_dir.Path("their-body"));
    theirs.insert(theirs.end(), body.begin(), body.end());
    WriteBytes(m_dir.Path("theirs"), theirs);
    Pack("decrypt", s, m_dir.Path("theirs"), m_dir.Path("plain-here"));
    EXPECT_EQ(ReadBytes(m_dir.Path("plain-here")), Padded(asset, 0));
}

}  // namespace
