#include "platform/directory_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

DirectoryLock::DirectoryLock(const char* path) {
    m_fd = open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    int result = 0;
    do {
        result = flock(m_fd, LOCK_EX);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        close(m_fd);
        m_fd = -1;
    }
}

DirectoryLock::~DirectoryLock() {
    if (m_fd >= 0)
        close(m_fd);
}
