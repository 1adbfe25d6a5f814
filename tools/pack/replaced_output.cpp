#include "tools/pack/replaced_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "crypt/crypt_errors.h"

namespace {

// A new file beside out, with the permissions a newly created out would get.
std::string CreateTemporaryBeside(const std::string& out) {
    std::string name = out + ".XXXXXX";
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    const int fd = mkstemp(buffer.data());
    if (fd < 0)
        throw crypt_error::FileError("Cannot open File ", out);
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    return buffer.data();
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

}  // namespace

void WriteReplacing(const std::string& out, const std::function<void(const std::string&)>& write) {
    const std::string temporary = CreateTemporaryBeside(out);
    try {
        write(temporary);
        if (std::rename(temporary.c_str(), out.c_str()) != 0)
            throw crypt_error::FileError("Cannot write File ", out);
    } catch (const std::exception& error) {
        std::remove(temporary.c_str());
        throw std::runtime_error(Replace(error.what(), temporary, out));
    }
}
