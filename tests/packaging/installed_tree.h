#pragma once

#include <string>
#include <vector>

#include "tests/crypt/crypt_test_util.h"
#include "tests/support/run_program.h"

// What `cmake --install` puts into a fresh temporary DESTDIR with the prefix /usr: the programs
// and their data at a place the build never knew of, beside folders for a case to work in.
class InstalledTree {
  public:
    InstalledTree();

    std::string Prefix() const { return m_dir.Path("root/usr"); }
    std::string Program(const std::string& name) const { return Prefix() + "/bin/" + name; }
    // The installed data, as the program names it: without links.
    std::string Data() const;
    // A folder of the case's own beside the tree, made on first use.
    std::string Folder(const std::string& name) const;

  private:
    TempDir m_dir;
};

// A folder of links to every baked container and the credits, like an unpacked data folder.
void LinkBakedData(const std::string& folder);

// The names of what folder holds; empty when there is no such folder.
std::vector<std::string> Entries(const std::string& folder);

// Makes folder and everything in it read-only (writable again), as an installed tree would be.
void SetReadOnly(const std::string& folder, bool readOnly);

// Runs program like RunProgram, but as the user nobody when the test runs as root: root may
// write into any folder, so for root a read-only folder would not be one. The folders the
// program uses must be open to nobody; the X server's authority file is handed on.
ProgramRun RunUnprivileged(const std::string& program, const std::vector<std::string>& args,
                           const std::string& directory, std::vector<std::string> env);

// Lets nobody into folder (and write into it when writable).
void OpenToEveryone(const std::string& folder, bool writable);
