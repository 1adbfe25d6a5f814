#pragma once

#include <optional>
#include <string>

#include "crypt/file_crypt.h"
#include "crypt/scratch_folder.h"
#include "platform/directory_lock.h"

// The scratch files of one loading step. The first decryption takes the lock of the scratch
// files' folder, so that programs started from the same folder take turns; the lock is held only
// while the step's files exist and is never held across anything that waits for the user. The
// destructor removes whatever this object created and is still there (the clean-up after an error);
// Remove does the same on the normal path and reports a failure.
class ScratchFiles {
  public:
    ScratchFiles() = default;
    ~ScratchFiles();
    ScratchFiles(const ScratchFiles&) = delete;
    ScratchFiles& operator=(const ScratchFiles&) = delete;

    // Decrypts container into SCRATCH_FILES[index], a file created for it: nothing that already
    // stands at that name is written through or replaced. Raises "FileCrypt ERROR: ..." naming
    // the container or the scratch file.
    void Decrypt(FileCrypt& cipher, const std::string& container, int index);
    // Removes the step's files, the first one first; raises a runtime error naming a file that
    // cannot be removed.
    void Remove();

  private:
    void Lock();

    std::optional<DirectoryLock> m_lock;
    bool m_bCreated[SCRATCH_FILE_COUNT] = {};
};
