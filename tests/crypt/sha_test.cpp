#include "crypt/sha.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/crypt/crypt_test_util.h"

namespace {

std::string Digest(CSHA& sha) {
    std::uint8_t out[CSHA::DIGEST_SIZE];
    sha.FinalDigest(out);
    return ToHex(Bytes(out, out + CSHA::DIGEST_SIZE));
}

std::string DigestOf(const std::string& message) {
    CSHA sha;
    sha.AddData(message.data(), static_cast<std::int32_t>(message.size()));
    return Digest(sha);
}

TEST(Sha, FipsTestMessages) {
    EXPECT_EQ(DigestOf("abc"), "BA7816BF8F01CFEA414140DE5DAE2223B00361A396177A9CB410FF61F20015AD");
    EXPECT_EQ(DigestOf("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248D6A61D20638B8E5C026930C3E6039A33CE45964FF2167F6ECEDD419DB06C1");
    CSHA sha;
    const std::string thousand(1000, 'a');
    for (int i = 0; i < 1000; ++i) {
        sha.AddData(thousand.data(), 1000);
    }
    EXPECT_EQ(Digest(sha), "CDC76E5C9914FB9281A1C7E284D73E67F1809A48A497200E046D39CCC7112CD0");
}

// Lengths around the point where the bit count no longer fits behind the 0x80 byte in the last
// block (55 still fits, 56 to 63 need one more block); digests from an independent tool.
TEST(Sha, LengthsAroundTheExtraPaddingBlock) {
    const struct {
        std::size_t length;
        const char* digest;
    } cases[] = {
        {55, "9F4390F8D30C2DD92EC9F095B65E2B9AE9B0A925A5258E241C9F1E910F734318"},
        {56, "B35439A4AC6F0948B6D6F9E3C6AF0F5F590CE20F1BDE7090EF7970686EC6738A"},
        {63, "7D3E74A05D7DB15BCE4AD9EC0658EA98E3F06EEECF16B4C6FFF2DA457DDC2F34"},
        {64, "FFE054FE7AE0CB6DC65C3AF9B61D5209F439851DB43D0BA5997337DF154668EB"},
        {119, "31EBA51C313A5C08226ADF18D4A359CFDFD8D2E816B13F4AF952F7EA6584DCFB"},
        {120, "2F3D335432C70B580AF0E8E1B3674A7C020D683AA5F73AAAEDFDC55AF904C21C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(DigestOf(std::string(c.length, 'a')), c.digest);
    }
}

TEST(Sha, PiecesOfAnySizeGiveTheDigestOfTheWhole) {
    const Bytes message = TestPattern(192);
    const std::string whole = DigestOf(std::string(message.begin(), message.end()));
    const std::vector<std::vector<int>> splits = {
        std::vector<int>(192, 1), {63, 1, 128}, {64, 64, 64}, {65, 127}, {1, 62, 2, 127}, {191, 1},
    };
    for (const auto& split : splits) {
        SCOPED_TRACE(split.size());
        CSHA sha;
        int offset = 0;
        for (int piece : split) {
            sha.AddData(message.data() + offset, piece);
            offset += piece;
        }
        EXPECT_EQ(Digest(sha), whole);
    }
}

TEST(Sha, FinalDigestStartsANewMessage) {
    CSHA sha;
    sha.AddData("some earlier message", 20);
    Digest(sha);
    sha.AddData("abc", 3);
    EXPECT_EQ(Digest(sha), DigestOf("abc"));
    EXPECT_EQ(ErrorOf([&] { Digest(sha); }),
              "FileCrypt ERROR: in CSHA::FinalDigest(), No data Added before call!");
}

TEST(Sha, EmptyMessagesAndEmptyPiecesAreRefused) {
    CSHA sha;
    EXPECT_EQ(ErrorOf([&] { Digest(sha); }),
              "FileCrypt ERROR: in CSHA::FinalDigest(), No data Added before call!");
    sha.AddData("ab", 2);
    for (std::int32_t length : {0, -1}) {
        EXPECT_EQ(ErrorOf([&] { sha.AddData("x", length); }),
                  "FileCrypt ERROR: in CSHA::AddData(), Data Length should be > 0!");
    }
    sha.AddData("c", 1);
    EXPECT_EQ(Digest(sha), DigestOf("abc"));
}

}  // namespace
