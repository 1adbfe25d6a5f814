#pragma once

// An exclusive advisory lock on a directory, held for the object's lifetime.
// Processes that take it on the same directory take turns: the asset loader
// decrypts into fixed scratch file names there, and two programs started
// together would otherwise overwrite each other's files. When the directory
// cannot be opened nothing is locked, and whatever reads it reports why.
class DirectoryLock {
  public:
    explicit DirectoryLock(const char* path);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

    bool Held() const { return m_fd >= 0; }

  private:
    int m_fd = -1;
};
