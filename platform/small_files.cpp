#include "platform/small_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

// "cannot be replaced: <step> (<the last error>)".
std::string CannotReplace(const std::string& step) {
    return "cannot be replaced: " + step + " (" + std::strerror(errno) + ")";
}

}  // namespace

bool WriteAll(int fd, const char* bytes, std::size_t size) {
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = write(fd, bytes + written, size - written);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += static_cast<std::size_t>(n);
    }
    return true;
}

std::string FileBehindLink(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error))
        return path;
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

mode_t PermissionsForReplacing(const std::string& path) {
    struct stat info;
    if (stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

bool ReadSmallRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    const bool usable = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                        static_cast<std::size_t>(info.st_size) <= maxBytes;
    if (usable)
        bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    close(fd);
    bytes.resize(got);
    return usable;
}

std::string ReplaceFileContents(const std::string& path, const std::string& bytes) {
    const std::string target = FileBehindLink(path);
    struct stat info;
    if (stat(target.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return "is not a regular file";
    std::string name = target + ".XXXXXX";
    std::vector<char> temporary(name.begin(), name.end());
    temporary.push_back('\0');
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return CannotReplace("a new file cannot be created beside " + target);
    const bool written = fchmod(fd, PermissionsForReplacing(target)) == 0 &&
                         WriteAll(fd, bytes.data(), bytes.size()) && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (written && closed && std::rename(temporary.data(), target.c_str()) == 0)
        return "";
    const std::string problem = CannotReplace(written && closed ? "the new file cannot take the "
                                                                  "place of " +
                                                                      target
                                                                : "the new file cannot be written");
    unlink(temporary.data());
    return problem;
}
