#include "crypt/blowfish.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/crypt/crypt_test_util.h"

namespace {

const BlowfishBlock ZERO_IV{0, 0};

struct EcbVector {
    const char* key;
    const char* plain;
    const char* cipher;
};

// The published Blowfish test set with 8-byte keys.
const EcbVector PUBLISHED_ECB[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
    {"07A1133E4A0B2686", "0248D43806F67172", "1730E5778BEA1DA4"},
    {"3849674C2602319E", "51454B582DDF440A", "A25E7856CF2651EB"},
    {"04B915BA43FEB5B6", "42FD443059577FA2", "353882B109CE8F1A"},
    {"0113B970FD34F2CE", "059B5E0851CF143A", "48F4D0884C379918"},
    {"0170F175468FB5E6", "0756D8E0774761D2", "432193B78951FC98"},
    {"43297FAD38E373FE", "762514B829BF486A", "13F04154D69D1AE5"},
    {"07A7137045DA2A16", "3BDD119049372802", "2EEDDA93FFD39C79"},
    {"04689104C2FD3B2F", "26955F6835AF609A", "D887E0393C2DA6E3"},
    {"37D06BB516CB7546", "164D5E404F275232", "5F99D04F5B163969"},
    {"1F08260D1AC2465E", "6B056E18759F5CCA", "4A057A3B24D3977B"},
    {"584023641ABA6176", "004BD6EF09176062", "452031C1E4FADA8E"},
    {"025816164629B007", "480D39006EE762F2", "7555AE39F59B87BD"},
    {"49793EBC79B3258F", "437540C8698F3CFA", "53C55F9CB49FC019"},
    {"4FB05E1515AB73A7", "072D43A077075292", "7A8E7BFA937E89A3"},
    {"49E95D6D4CA229BF", "02FE55778117F12A", "CF9C5D7A4986ADB5"},
    {"018310DC409B26D6", "1D9D5C5018F728C2", "D1ABB290658BC778"},
    {"1C587F1C13924FEF", "305532286D6F295A", "55CB3774D13EF201"},
    {"0101010101010101", "0123456789ABCDEF", "FA34EC4847B268B2"},
    {"1F1F1F1F0E0E0E0E", "0123456789ABCDEF", "A790795108EA3CAE"},
    {"E0FEE0FEF1FEF1FE", "0123456789ABCDEF", "C39E072D9FAC631D"},
    {"0000000000000000", "FFFFFFFFFFFFFFFF", "014933E0CDAFF6E4"},
    {"FFFFFFFFFFFFFFFF", "0000000000000000", "F21E9A77B71C49BC"},
    {"0123456789ABCDEF", "0000000000000000", "245946885754369A"},
    {"FEDCBA9876543210", "FFFFFFFFFFFFFFFF", "6B5C5A9C5D9E0A5A"},
};

void Init(CBlowfish& cipher, const Bytes& key, int mode = CBlowfish::MODE_ECB,
          const BlowfishBlock& iv = ZERO_IV) {
    cipher.Initialize(key.data(), static_cast<std::int32_t>(key.size()), iv, mode, 0);
}

Bytes Encrypt(CBlowfish& cipher, const Bytes& plain) {
    Bytes out(plain.size());
    cipher.EncryptBuffer(plain.data(), out.data(), static_cast<std::uint32_t>(plain.size()));
    return out;
}

Bytes Decrypt(CBlowfish& cipher, const Bytes& data) {
    Bytes out(data.size());
    cipher.DecryptBuffer(data.data(), out.data(), static_cast<std::uint32_t>(data.size()));
    return out;
}

Bytes EncryptWith(const Bytes& key, int mode, const BlowfishBlock& iv, const Bytes& plain) {
    CBlowfish cipher;
    Init(cipher, key, mode, iv);
    return Encrypt(cipher, plain);
}

TEST(Blowfish, PublishedEcbVectors) {
    for (const EcbVector& v : PUBLISHED_ECB) {
        SCOPED_TRACE(v.key);
        CBlowfish cipher;
        Init(cipher, FromHex(v.key));
        EXPECT_EQ(ToHex(Encrypt(cipher, FromHex(v.plain))), v.cipher);
        EXPECT_EQ(ToHex(Decrypt(cipher, FromHex(v.cipher))), v.plain);
    }
}

// The published variable-length key set agrees wherever the key length divides 56. Other
// lengths differ, because the schedule cycles through the key repeated to 56 bytes: a 5-byte
// key is standard Blowfish keyed with eleven copies and one byte of it.
TEST(Blowfish, KeyLengthsThatDivide56MatchPublishedVariableKeyVectors) {
    const Bytes key = FromHex("F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677");
    const Bytes plain = FromHex("FEDCBA9876543210");
    const struct {
        std::size_t length;
        const char* cipher;
    } cases[] = {
        {1, "F9AD597C49DB005E"}, {2, "E91D21C1D961A6D6"}, {4, "BE1E639408640F05"},
        {7, "8BB77032F960629D"}, {8, "E87A244E2CC85E82"}, {14, "1F85031C19E11968"},
        {5, "766D7DCFD6B596DB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        const Bytes prefix(key.begin(), key.begin() + static_cast<long>(c.length));
        EXPECT_EQ(ToHex(EncryptWith(prefix, CBlowfish::MODE_ECB, ZERO_IV, plain)), c.cipher);
    }
    const Bytes five(key.begin(), key.begin() + 5);
    EXPECT_NE(ToHex(EncryptWith(five, CBlowfish::MODE_ECB, ZERO_IV, plain)), "B39E44481BDB1E6E");
}

TEST(Blowfish, KeysWithTheSameExpansionGiveTheSameCipher) {
    const Bytes plain = TestPattern(64);
    const Bytes sixty = TestPattern(60, 7);
    const Bytes first56(sixty.begin(), sixty.begin() + 56);
    EXPECT_EQ(EncryptWith(sixty, 0, ZERO_IV, plain), EncryptWith(first56, 0, ZERO_IV, plain));
    EXPECT_EQ(EncryptWith(FromHex("A15E"), 0, ZERO_IV, plain),
              EncryptWith(FromHex("A15EA15E"), 0, ZERO_IV, plain));
    EXPECT_NE(EncryptWith(FromHex("A15E"), 0, ZERO_IV, plain),
              EncryptWith(FromHex("A15EA15F"), 0, ZERO_IV, plain));
}

// Chained-mode references computed by an independent implementation (standard Blowfish with
// 64-bit CFB) for the published chaining plaintext and initialisation vector under the 8-byte
// key 0123456789ABCDEF. The published chaining vectors themselves use a 16-byte key, which this
// cipher expands differently.
const char* const CHAIN_KEY = "0123456789ABCDEF";
const BlowfishBlock CHAIN_IV{0xFEDCBA98, 0x76543210};
const char* const CHAIN_PLAIN = "37363534333231204E6F77206973207468652074696D6520666F722000000000";

TEST(Blowfish, ChainedModesMatchReferenceAndCarryTheChainAcrossCalls) {
    const struct {
        int mode;
        const char* cipher;
    } cases[] = {
        {CBlowfish::MODE_CBC, "D74EC1C79DE8CE1DF1CCBB71C99721784D3D79CDD360179479262D2F990C7844"},
        {CBlowfish::MODE_CFB, "A86999677A1C3641757F8EAE1A5D598D30524AE1FF2437216947CCD7597AA3E1"},
    };
    const Bytes plain = FromHex(CHAIN_PLAIN);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        CBlowfish cipher;
        Init(cipher, FromHex(CHAIN_KEY), c.mode, CHAIN_IV);
        EXPECT_EQ(ToHex(Encrypt(cipher, plain)), c.cipher);

        cipher.ResetChain();
        Bytes pieces = Encrypt(cipher, Bytes(plain.begin(), plain.begin() + 8));
        const Bytes rest = Encrypt(cipher, Bytes(plain.begin() + 8, plain.end()));
        pieces.insert(pieces.end(), rest.begin(), rest.end());
        EXPECT_EQ(ToHex(pieces), c.cipher);

        cipher.ResetChain();
        EXPECT_EQ(ToHex(Decrypt(cipher, FromHex(c.cipher))), CHAIN_PLAIN);
    }
}

TEST(Blowfish, WithoutResetTheNextCallContinuesTheChain) {
    CBlowfish cipher;
    Init(cipher, FromHex(CHAIN_KEY), CBlowfish::MODE_CBC, CHAIN_IV);
    const Bytes block = FromHex("0011223344556677");
    const Bytes first = Encrypt(cipher, block);
    EXPECT_NE(Encrypt(cipher, block), first);
    cipher.ResetChain();
    EXPECT_EQ(Encrypt(cipher, block), first);
}

TEST(Blowfish, EcbIgnoresTheInitialisationVector) {
    const Bytes key = FromHex(CHAIN_KEY);
    const Bytes plain = TestPattern(40);
    EXPECT_EQ(EncryptWith(key, 0, ZERO_IV, plain), EncryptWith(key, 0, CHAIN_IV, plain));
}

TEST(Blowfish, EveryModeRoundTripsAlsoInPlace) {
    const Bytes plain = TestPattern(200);
    for (int mode : {CBlowfish::MODE_ECB, CBlowfish::MODE_CBC, CBlowfish::MODE_CFB}) {
        SCOPED_TRACE(mode);
        CBlowfish cipher;
        Init(cipher, FromHex("0F1E2D3C4B5A6978"), mode, CHAIN_IV);
        const Bytes encrypted = Encrypt(cipher, plain);
        cipher.ResetChain();
        Bytes inPlace = plain;
        cipher.EncryptBuffer(inPlace.data(), inPlace.data(), 200);
        EXPECT_EQ(inPlace, encrypted);
        cipher.ResetChain();
        cipher.DecryptBuffer(inPlace.data(), inPlace.data(), 200);
        EXPECT_EQ(inPlace, plain);
    }
}

// Re-initialising one object (new key, back to an old key, other mode or vector) must always
// act like a fresh object with the last settings, whether or not the schedule was rerun.
TEST(Blowfish, ReinitialisedObjectActsLikeAFreshOne) {
    const Bytes plain = TestPattern(48);
    const Bytes keyA = FromHex("0102030405060708");
    const Bytes keyB = FromHex("0102030405060709");
    const struct {
        const Bytes* key;
        int mode;
        BlowfishBlock iv;
    } steps[] = {
        {&keyA, 0, ZERO_IV}, {&keyA, 1, CHAIN_IV}, {&keyB, 1, CHAIN_IV},
        {&keyA, 2, ZERO_IV}, {&keyA, 2, CHAIN_IV}, {&keyA, 0, ZERO_IV},
    };
    CBlowfish reused;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.mode);
        Init(reused, *step.key, step.mode, step.iv);
        EXPECT_EQ(Encrypt(reused, plain), EncryptWith(*step.key, step.mode, step.iv, plain));
    }
}

TEST(Blowfish, InitializeRejectsBadArgumentsAndKeepsItsSettings) {
    const Bytes key = FromHex(CHAIN_KEY);
    CBlowfish cipher;
    Init(cipher, key, CBlowfish::MODE_CBC, CHAIN_IV);
    std::uint8_t digest[32];
    cipher.GetKeyDigest(digest);
    const Bytes before(digest, digest + 32);
    const Bytes plain = TestPattern(16);
    const Bytes expected = Encrypt(cipher, plain);

    const Bytes other = FromHex("FFEEDDCCBBAA9988");
    const struct {
        const void* key;
        std::int32_t length;
        int mode;
        int padding;
        const char* message;
    } cases[] = {
        {nullptr, 8, 0, 0, "FileCrypt ERROR: No Key DataSpecified!"},
        {other.data(), 0, 0, 0, "FileCrypt ERROR: Key Data Length should be > 0!"},
        {other.data(), -3, 0, 0, "FileCrypt ERROR: Key Data Length should be > 0!"},
        {other.data(), 8, 3, 0, "FileCrypt ERROR: Illegal Operation Mode!"},
        {other.data(), 8, -1, 0, "FileCrypt ERROR: Illegal Operation Mode!"},
        {other.data(), 8, 0, 3, "FileCrypt ERROR: Illegal Padding Mode!"},
        {nullptr, 0, 9, 9, "FileCrypt ERROR: No Key DataSpecified!"},
        {other.data(), 8, 5, 5, "FileCrypt ERROR: Illegal Operation Mode!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(ErrorOf([&] { cipher.Initialize(c.key, c.length, ZERO_IV, c.mode, c.padding); }),
                  c.message);
        cipher.GetKeyDigest(digest);
        EXPECT_EQ(Bytes(digest, digest + 32), before);
        cipher.ResetChain();
        EXPECT_EQ(Encrypt(cipher, plain), expected);
    }
}

TEST(Blowfish, OperationsNeedInitialisationBeforeTheLengthIsChecked) {
    const std::string notInit = "FileCrypt ERROR: Encryption/Decryption Object not Initialized!";
    CBlowfish cipher;
    std::uint8_t buffer[24] = {};
    for (std::uint32_t length : {0u, 12u, 16u}) {
        SCOPED_TRACE(length);
        EXPECT_EQ(ErrorOf([&] { cipher.EncryptBuffer(buffer, buffer, length); }), notInit);
        EXPECT_EQ(ErrorOf([&] { cipher.DecryptBuffer(buffer, buffer, length); }), notInit);
    }
    EXPECT_EQ(ErrorOf([&] { cipher.ResetChain(); }), notInit);
    EXPECT_EQ(ErrorOf([&] { cipher.GetKeyDigest(buffer); }), notInit);
    EXPECT_EQ(ErrorOf([&] { cipher.PadBuffer(buffer, 3); }), notInit);
}

TEST(Blowfish, BufferLengthMustBeANonZeroMultipleOfEight) {
    CBlowfish cipher;
    Init(cipher, FromHex(CHAIN_KEY), CBlowfish::MODE_CBC, CHAIN_IV);
    std::uint8_t in[16] = {};
    std::uint8_t out[16] = {0xAB};
    for (std::uint32_t length : {0u, 1u, 12u, 15u}) {
        SCOPED_TRACE(length);
        EXPECT_EQ(ErrorOf([&] { cipher.EncryptBuffer(in, out, length); }), "Illegal Block Size!");
        EXPECT_EQ(ErrorOf([&] { cipher.DecryptBuffer(in, out, length); }), "Illegal Block Size!");
        EXPECT_EQ(out[0], 0xAB);
    }
}

}  // namespace
