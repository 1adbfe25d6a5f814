// Throughput of our Blowfish-ECB and SHA-256 beside OpenSSL's, and the decryption of a 1 MiB
// container. Each benchmark reports bytes per second.
#include <benchmark/benchmark.h>
#include <openssl/blowfish.h>
#include <openssl/sha.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "crypt/blowfish.h"
#include "crypt/sha.h"

namespace {

constexpr char KEY[] = "r&e&v&o";
constexpr int KEY_LENGTH = 7;
constexpr std::size_t CHUNK = 64 * 1024;

std::vector<std::uint8_t> Pattern(std::size_t size) {
    std::vector<std::uint8_t> data(size);
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<std::uint8_t>(i * 131 + 7);
    }
    return data;
}

void SetBytes(benchmark::State& state, std::size_t perIteration) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * perIteration));
}

void BM_BlowfishEcb(benchmark::State& state) {
    CBlowfish cipher;
    cipher.Initialize(KEY, KEY_LENGTH, {0, 0}, CBlowfish::MODE_ECB, 0);
    const auto in = Pattern(CHUNK);
    std::vector<std::uint8_t> out(CHUNK);
    for (auto _ : state) {
        cipher.EncryptBuffer(in.data(), out.data(), CHUNK);
        benchmark::DoNotOptimize(out.data());
    }
    SetBytes(state, CHUNK);
}

void BM_OpenSslBlowfishEcb(benchmark::State& state) {
    BF_KEY key;
    BF_set_key(&key, KEY_LENGTH, reinterpret_cast<const unsigned char*>(KEY));
    const auto in = Pattern(CHUNK);
    std::vector<std::uint8_t> out(CHUNK);
    for (auto _ : state) {
        for (std::size_t i = 0; i < CHUNK; i += BF_BLOCK) {
            BF_ecb_encrypt(in.data() + i, out.data() + i, &key, BF_ENCRYPT);
        }
        benchmark::DoNotOptimize(out.data());
    }
    SetBytes(state, CHUNK);
}

void BM_Sha256(benchmark::State& state) {
    CSHA sha;
    const auto in = Pattern(CHUNK);
    std::uint8_t digest[CSHA::DIGEST_SIZE];
    for (auto _ : state) {
        sha.AddData(in.data(), static_cast<std::int32_t>(CHUNK));
        sha.FinalDigest(digest);
        benchmark::DoNotOptimize(digest);
    }
    SetBytes(state, CHUNK);
}

void BM_OpenSslSha256(benchmark::State& state) {
    const auto in = Pattern(CHUNK);
    std::uint8_t digest[SHA256_DIGEST_LENGTH];
    for (auto _ : state) {
        SHA256_CTX context;
        SHA256_Init(&context);
        SHA256_Update(&context, in.data(), CHUNK);
        SHA256_Final(digest, &context);
        benchmark::DoNotOptimize(digest);
    }
    SetBytes(state, CHUNK);
}

// DecryptFile of a container holding 1 MiB, through the file system's page cache.
void BM_DecryptFile1MiB(benchmark::State& state) {
    constexpr std::size_t SIZE = 1024 * 1024;
    const auto dir = std::filesystem::temp_directory_path() / "kvx-crypt-bench";
    std::filesystem::create_directories(dir);
    const std::string plain = (dir / "plain").string();
    const std::string container = (dir / "container").string();
    const std::string output = (dir / "output").string();
    const auto data = Pattern(SIZE);
    std::ofstream(plain, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), SIZE);

    CBlowfish cipher;
    cipher.Initialize(KEY, KEY_LENGTH, {0, 0}, CBlowfish::MODE_ECB, 0);
    cipher.EncryptFile(plain, container);
    for (auto _ : state) {
        cipher.DecryptFile(container, output);
    }
    SetBytes(state, SIZE);
    std::filesystem::remove_all(dir);
}

}  // namespace

BENCHMARK(BM_BlowfishEcb);
BENCHMARK(BM_OpenSslBlowfishEcb);
BENCHMARK(BM_Sha256);
BENCHMARK(BM_OpenSslSha256);
BENCHMARK(BM_DecryptFile1MiB)->Unit(benchmark::kMillisecond);
