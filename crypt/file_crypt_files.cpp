// The two whole-file operations shared by every cipher: a container is the key digest followed
// by the asset encrypted chunk by chunk, the last chunk padded to whole blocks.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "crypt/crypt_errors.h"
#include "crypt/double_buffering.h"
#include "crypt/file_crypt.h"

namespace {

constexpr std::int32_t RING_SIZE = 1024;
constexpr std::int32_t CHUNK_SIZE = 384;

std::ifstream OpenInput(const std::string& name) {
    std::ifstream file(name, std::ios::binary);
    std::error_code error;
    if (file.fail() || file.bad() || std::filesystem::is_directory(name, error)) {
        throw crypt_error::FileError("Cannot open File ", name);
    }
    return file;
}

std::ofstream OpenOutput(const std::string& name) {
    std::ofstream file(name, std::ios::binary | std::ios::trunc);
    if (!file) {
        throw crypt_error::FileError("Cannot open File ", name);
    }
    return file;
}

void Write(std::ofstream& file, const std::uint8_t* data, std::int32_t len) {
    file.write(reinterpret_cast<const char*>(data), len);
}

// A write that failed (a full disk, a closed pipe) must not pass for a finished container.
void CloseOutput(std::ofstream& file, const std::string& name) {
    file.close();
    if (file.fail()) {
        throw crypt_error::FileError("Cannot write File ", name);
    }
}

}  // namespace

// Besides equal names, two names of one existing file (a relative and an absolute path, a link)
// are caught, since truncating the output would empty the input before it is read.
void RequireDistinctFiles(const std::string& in, const std::string& out) {
    std::error_code error;
    if (in == out || std::filesystem::equivalent(in, out, error)) {
        throw crypt_error::FileError("The same File for Input and Output ", in);
    }
}

void FileCrypt::EncryptFile(const std::string& in, const std::string& out) {
    RequireInit();
    RequireDistinctFiles(in, out);
    std::ifstream input = OpenInput(in);
    std::ofstream output = OpenOutput(out);
    std::uint8_t digest[DIGEST_SIZE];
    GetKeyDigest(digest);
    Write(output, digest, DIGEST_SIZE);
    ResetChain();

    std::uint8_t ring[RING_SIZE];
    std::uint8_t plain[CHUNK_SIZE];
    std::uint8_t cipher[CHUNK_SIZE];
    CDoubleBuffering reader(input, ring, RING_SIZE, CHUNK_SIZE);
    while (std::int32_t n = reader.GetData(plain, -1)) {
        if (n < CHUNK_SIZE) {
            n = PadBuffer(plain, n);
        }
        EncryptBuffer(plain, cipher, static_cast<std::uint32_t>(n));
        Write(output, cipher, n);
    }
    CloseOutput(output, out);
}

// The header is checked before the output is created, so a wrong key, mode or padding leaves an
// existing output file as it was.
void FileCrypt::DecryptFile(const std::string& in, const std::string& out) {
    RequireInit();
    RequireDistinctFiles(in, out);
    std::ifstream input = OpenInput(in);
    CheckKeyDigest(input, in);
    std::ofstream output = OpenOutput(out);
    DecryptBody(input, output);
    CloseOutput(output, out);
}

void FileCrypt::CheckKeyDigest(std::istream& input, const std::string& name) {
    RequireInit();
    std::uint8_t digest[DIGEST_SIZE];
    GetKeyDigest(digest);
    std::uint8_t header[DIGEST_SIZE] = {};
    input.read(reinterpret_cast<char*>(header), DIGEST_SIZE);
    if (std::memcmp(header, digest, DIGEST_SIZE) != 0) {
        throw crypt_error::FileError("File ", name, " cannot be Correctly Decrypted!");
    }
}

void FileCrypt::DecryptBody(std::istream& input, std::ostream& output) {
    RequireInit();
    ResetChain();
    std::uint8_t ring[RING_SIZE];
    std::uint8_t cipher[CHUNK_SIZE];
    std::uint8_t plain[CHUNK_SIZE];
    CDoubleBuffering reader(input, ring, RING_SIZE, CHUNK_SIZE);
    while (const std::int32_t n = reader.GetData(cipher, -1)) {
        DecryptBuffer(cipher, plain, static_cast<std::uint32_t>(n));
        output.write(reinterpret_cast<const char*>(plain), n);
    }
}
