// Feeds arbitrary files to DecryptFile. The first input byte picks mode and padding and whether
// the rest is taken as a whole file or as a body behind the right header; in the latter case the
// body, when it decrypts, is also encrypted again and must give back the same body.
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "crypt/blowfish.h"
#include "tests/fuzz/fuzz_files.h"

namespace {

constexpr char KEY[] = "r&e&v&o";

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::vector<std::uint8_t> WithHeader(CBlowfish& cipher, const std::uint8_t* body,
                                     std::size_t size) {
    std::vector<std::uint8_t> file(FileCrypt::DIGEST_SIZE + size);
    cipher.GetKeyDigest(file.data());
    if (size > 0) {
        std::memcpy(file.data() + FileCrypt::DIGEST_SIZE, body, size);
    }
    return file;
}

// A body of whole blocks decrypts to as many bytes, and encrypting those gives the body back.
void CheckRoundTrip(CBlowfish& cipher, const std::vector<std::uint8_t>& container) {
    const std::string plain = ReadFuzzFile(FuzzPath("plain"));
    Require(plain.size() == container.size() - FileCrypt::DIGEST_SIZE);
    cipher.EncryptFile(FuzzPath("plain"), FuzzPath("again"));
    const std::string again = ReadFuzzFile(FuzzPath("again"));
    Require(again.size() == container.size());
    Require(std::memcmp(again.data(), container.data(), container.size()) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int mode = data[0] % 3;
    const int padding = (data[0] / 3) % 3;
    const bool withHeader = (data[0] & 0x80) != 0;
    CBlowfish cipher;
    cipher.Initialize(KEY, 7, {0, 0}, mode, padding);

    std::vector<std::uint8_t> container(data + 1, data + size);
    if (withHeader) {
        container = WithHeader(cipher, data + 1, size - 1);
    }
    WriteFuzzFile(FuzzPath("container"), container.data(), container.size());
    try {
        cipher.DecryptFile(FuzzPath("container"), FuzzPath("plain"));
    } catch (const std::runtime_error&) {
        return 0;
    }
    if (withHeader) {
        CheckRoundTrip(cipher, container);
    }
    return 0;
}
