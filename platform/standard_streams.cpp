#include "platform/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

void OpenMissingStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            // The lowest free number is fd itself, since every lower one is open by now.
            if (open("/dev/null", O_RDWR) != fd)
                _exit(127);
        }
    }
}

int StatusAfterStandardOutput(const char* program, int status) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    std::fprintf(stderr, "%s: cannot write the standard output: %s\n", program,
                 std::strerror(errno));
    return 1;
}
