#pragma once

// An exclusive advisory lock on a directory, held for the object's lifetime.
// Processes that take it on the same directory take turns: the asset loader
// decrypts into fixed scratch file names there. When the directory cannot be
// opened (missing, or without read permission) nothing is locked; the loader's
// exclusive creation of its files then keeps programs apart.
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
