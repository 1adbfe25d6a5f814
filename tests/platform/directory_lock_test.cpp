#include "platform/directory_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Whether another process could take the lock on path right now.
bool OtherProcessCanLock(const std::string& path) {
    const pid_t child = fork();
    if (child == 0) {
        const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY);
        _exit(fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(DirectoryLock, OtherProcessesWaitUntilItIsReleased) {
    char pattern[] = "/tmp/kvx_lock_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string folder = pattern;
    {
        const DirectoryLock lock(folder.c_str());
        EXPECT_TRUE(lock.Held());
        EXPECT_FALSE(OtherProcessCanLock(folder));
    }
    EXPECT_TRUE(OtherProcessCanLock(folder));
    // Nothing is written into the folder.
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    std::filesystem::remove(folder);
}

TEST(DirectoryLock, AMissingFolderLocksNothing) {
    const DirectoryLock lock("/nonexistent/kvx-data");
    EXPECT_FALSE(lock.Held());
}

}  // namespace
