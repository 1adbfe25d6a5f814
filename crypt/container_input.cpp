#include "crypt/container_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "crypt/crypt_errors.h"

namespace {

const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "a directory";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a file";
}

// Opens without blocking (a FIFO with no writer would otherwise hold the start-up forever) and
// checks what was opened, so a link swapped between a check and the open changes nothing.
int OpenRegularFile(const std::string& name, std::int64_t& size) {
    const int fd = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw crypt_error::FileError("Cannot open File ", name);
    struct stat info;
    if (fstat(fd, &info) != 0) {
        close(fd);
        throw crypt_error::FileError("Cannot open File ", name);
    }
    if (!S_ISREG(info.st_mode)) {
        close(fd);
        throw crypt_error::FileError(
            "File ", name,
            (std::string(" is ") + KindOf(info.st_mode) + ", not a container File!").c_str());
    }
    size = info.st_size;
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

}  // namespace

ContainerInput::ContainerInput(const std::string& name)
    : m_buffer(OpenRegularFile(name, m_iSize), std::ios::in | std::ios::binary),
      m_limited(m_buffer, m_iSize),
      m_stream(&m_limited) {}
