#include "crypt/scratch_registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "crypt/terminating_signals.h"

namespace {

// A slot moves FREE -> CREATING -> CREATED -> REMOVING -> FREE on the thread that loads. The
// transitional states are visible to a signal handler running on another thread, which waits
// them out; on the loading thread itself the signals are blocked while a slot is in them.
enum SlotState : int { FREE, CREATING, CREATED, REMOVING };

struct Slot {
    std::atomic<const char*> path{nullptr};
    std::atomic<int> state{FREE};
    dev_t device = 0;
    ino_t inode = 0;
};

constexpr int SLOT_COUNT = 8;
Slot g_slots[SLOT_COUNT];
std::atomic<bool> g_terminating{false};
std::atomic<const char*> g_folder{nullptr};

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free &&
                  std::atomic<const char*>::is_always_lock_free,
              "the registry is read from signal handlers");

// Blocks the terminating signals on this thread for the object's lifetime, those of a crash
// too: sent by kill they wait like the others. A real crash in a blocked step ends the program
// at once, without the handler, so the handler never waits for a step of its own thread.
class TerminatingSignalsBlocked {
  public:
    TerminatingSignalsBlocked() {
        sigset_t set = TerminatingSignals();
        const sigset_t faults = FaultSignals();
        sigorset(&set, &set, &faults);
        pthread_sigmask(SIG_BLOCK, &set, &m_previous);
    }
    ~TerminatingSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }
    TerminatingSignalsBlocked(const TerminatingSignalsBlocked&) = delete;
    TerminatingSignalsBlocked& operator=(const TerminatingSignalsBlocked&) = delete;

  private:
    sigset_t m_previous;
};

Slot* FindSlot(const char* path) {
    for (Slot& slot : g_slots) {
        if (slot.state.load() != FREE && slot.path.load() == path)
            return &slot;
    }
    return nullptr;
}

Slot* ClaimSlot(const char* path) {
    for (Slot& slot : g_slots) {
        int expected = FREE;
        if (slot.state.compare_exchange_strong(expected, CREATING)) {
            slot.path.store(path);
            return &slot;
        }
    }
    return nullptr;
}

bool IsOwnFile(const Slot& slot) {
    struct stat entry;
    return lstat(slot.path.load(), &entry) == 0 && S_ISREG(entry.st_mode) &&
           entry.st_dev == slot.device && entry.st_ino == slot.inode;
}

// Once a terminating signal has been handled the process is about to end: nothing more is
// created, and the loading thread waits here for the end.
void WaitForTheEnd() {
    for (;;)
        pause();
}

}  // namespace

int CreateScratchFile(const char* path) {
    const TerminatingSignalsBlocked blocked;
    if (FindSlot(path) != nullptr) {
        errno = EEXIST;
        return -1;
    }
    Slot* slot = ClaimSlot(path);
    if (slot == nullptr) {
        errno = EMFILE;
        return -1;
    }
    if (g_terminating.load()) {
        // A handler on another thread waits for slots in CREATING; this one is given up.
        slot->state.store(FREE);
        WaitForTheEnd();
    }
    const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    struct stat created;
    if (fd < 0 || fstat(fd, &created) != 0) {
        const int error = errno;
        if (fd >= 0) {
            unlink(path);
            close(fd);
        }
        slot->state.store(FREE);
        errno = error;
        return -1;
    }
    slot->device = created.st_dev;
    slot->inode = created.st_ino;
    slot->state.store(CREATED);
    return fd;
}

bool CreateScratchFolder(char* pathTemplate) {
    const TerminatingSignalsBlocked blocked;
    if (g_terminating.load())
        WaitForTheEnd();
    if (mkdtemp(pathTemplate) == nullptr)
        return false;
    if (g_folder.exchange(pathTemplate) == nullptr)
        std::atexit(RemoveScratchFilesOnSignal);
    return true;
}

bool RemoveScratchFile(const char* path) {
    const TerminatingSignalsBlocked blocked;
    Slot* slot = FindSlot(path);
    if (slot == nullptr)
        return true;
    slot->state.store(REMOVING);
    bool removed = true;
    if (IsOwnFile(*slot))
        removed = unlink(path) == 0 || errno == ENOENT;
    const int error = errno;
    slot->state.store(FREE);
    errno = error;
    return removed;
}

void RemoveScratchFilesOnSignal() {
    const int savedErrno = errno;
    g_terminating.store(true);
    for (Slot& slot : g_slots) {
        int state = slot.state.load();
        while (state == CREATING || state == REMOVING)
            state = slot.state.load();
        if (state == CREATED && IsOwnFile(slot))
            unlink(slot.path.load());
    }
    const char* folder = g_folder.load();
    if (folder != nullptr)
        rmdir(folder);
    errno = savedErrno;
}
