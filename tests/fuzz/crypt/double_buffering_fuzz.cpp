// Drives CDoubleBuffering with arbitrary buffer sizes, default chunk lengths, files and request
// sequences, and checks that the chunks it delivers are the file, in order, with no byte lost or
// repeated, and nothing after the end.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "crypt/double_buffering.h"
#include "tests/fuzz/fuzz_files.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

struct Input {
    std::int32_t size;
    std::int32_t dataLen;
    std::string file;
    std::vector<std::int32_t> requests;
};

// Byte 0: buffer size; byte 1: default chunk length; bytes 2 and 3: file length; then the file;
// then one request per byte (0 asks for the default chunk, other values v ask for v - 1 bytes).
bool Parse(const std::uint8_t* data, std::size_t size, Input& input) {
    if (size < 4) {
        return false;
    }
    input.size = data[0];
    input.dataLen = data[1];
    const std::size_t length = std::min<std::size_t>(data[2] | (data[3] << 8), size - 4);
    input.file.assign(reinterpret_cast<const char*>(data + 4), length);
    for (std::size_t i = 4 + length; i < size; ++i) {
        input.requests.push_back(data[i] == 0 ? -1 : data[i] - 1);
    }
    return true;
}

void Drive(CDoubleBuffering& reader, const Input& input) {
    const std::int32_t half = input.size / 2;
    std::size_t delivered = 0;
    bool finished = false;
    for (std::int32_t request : input.requests) {
        const std::int32_t len = request == -1 ? input.dataLen : request;
        std::vector<std::uint8_t> dst(static_cast<std::size_t>(std::max(len, 1)));
        std::int32_t got = 0;
        try {
            got = reader.GetData(dst.data(), request);
        } catch (const std::runtime_error&) {
            Require(len < 1 || len > half);
            continue;
        }
        Require(len >= 1 && len <= half);
        Require(got >= 0 && got <= len);
        Require(!finished || got == 0);
        Require(delivered + static_cast<std::size_t>(got) <= input.file.size());
        Require(std::memcmp(dst.data(), input.file.data() + delivered, got) == 0);
        delivered += static_cast<std::size_t>(got);
        if (got < len) {
            finished = true;
            Require(delivered == input.file.size());
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input;
    if (!Parse(data, size, input)) {
        return 0;
    }
    const std::string path = FuzzPath("buffered");
    WriteFuzzFile(path, reinterpret_cast<const std::uint8_t*>(input.file.data()),
                  input.file.size());
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::max(input.size, 1)));
    try {
        CDoubleBuffering reader(file, buffer.data(), input.size, input.dataLen);
        Drive(reader, input);
    } catch (const std::runtime_error&) {
        Require(input.size % 2 != 0 || input.dataLen < 1 || input.dataLen > input.size / 2);
    }
    return 0;
}
