#include "tools/pack/replaced_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "crypt/crypt_errors.h"
#include "platform/small_files.h"

namespace {

// The file a link at out leads to (the link stays), or out itself. Only a regular file is
// replaced: renaming over a device or a FIFO would put a plain file in its place.
std::string FileToReplace(const std::string& out) {
    const std::string file = FileBehindLink(out);
    struct stat info;
    if (stat(file.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        throw crypt_error::FileError("Cannot write File ", out, ": it is not a regular file!");
    return file;
}

// A new file beside out, with the permissions out has, or those a newly created out would get.
std::string CreateTemporaryBeside(const std::string& out) {
    std::string name = out + ".XXXXXX";
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    const int fd = mkstemp(buffer.data());
    if (fd < 0)
        throw crypt_error::FileError("Cannot open File ", out);
    fchmod(fd, PermissionsForReplacing(out));
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
    const std::string file = FileToReplace(out);
    const std::string temporary = CreateTemporaryBeside(file);
    try {
        write(temporary);
        if (std::rename(temporary.c_str(), file.c_str()) != 0)
            throw crypt_error::FileError("Cannot write File ", out);
    } catch (const std::exception& error) {
        std::remove(temporary.c_str());
        throw std::runtime_error(Replace(Replace(error.what(), temporary, out), file, out));
    }
}
