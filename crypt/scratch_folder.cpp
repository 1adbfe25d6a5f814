#include "crypt/scratch_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "crypt/crypt_errors.h"
#include "crypt/scratch_registry.h"

char SCRATCH_FILES[SCRATCH_FILE_COUNT][SCRATCH_PATH_SIZE] = {"./data/temp0", "./data/temp1",
                                                             "./data/temp2"};

namespace {

constexpr const char* PRIVATE_FOLDER_TEMPLATE = "/kvx-demo-XXXXXX";
constexpr const char* SCRATCH_NAME = "/temp";

char g_folder[SCRATCH_PATH_SIZE] = "./data";
bool g_privateFolderDue = false;

// Copies folder into g_folder when it leaves room for the scratch files' names.
bool UseFolder(const std::string& folder) {
    if (folder.size() + std::strlen(SCRATCH_NAME) + 8 > SCRATCH_PATH_SIZE)
        return false;
    std::memcpy(g_folder, folder.c_str(), folder.size() + 1);
    return true;
}

void NameScratchFiles() {
    for (int i = 0; i < SCRATCH_FILE_COUNT; ++i) {
        const std::string path = g_folder + (SCRATCH_NAME + std::to_string(i));
        std::memcpy(SCRATCH_FILES[i], path.c_str(), path.size() + 1);
    }
}

// What the kernel would allow this process, with its effective ids: root may write a folder
// without write permission, but not one on a read-only file system.
bool MayCreateFilesIn(const std::string& folder) {
    return faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

std::vector<std::string> PrivateFolderParents() {
    std::vector<std::string> parents;
    for (const char* variable : {"XDG_RUNTIME_DIR", "TMPDIR"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && value[0] == '/')
            parents.push_back(value);
    }
    parents.push_back("/tmp");
    return parents;
}

// The first parent where a folder can be made wins; the error names the last one tried.
void MakePrivateFolder() {
    std::string parent;
    int error = 0;
    for (const std::string& candidate : PrivateFolderParents()) {
        parent = candidate;
        if (!UseFolder(parent + PRIVATE_FOLDER_TEMPLATE)) {
            error = ENAMETOOLONG;
        } else if (CreateScratchFolder(g_folder)) {
            NameScratchFiles();
            g_privateFolderDue = false;
            return;
        } else {
            error = errno;
        }
    }
    throw crypt_error::FileError("Cannot create a scratch folder in ", parent,
                                 (std::string(": ") + std::strerror(error) + "!").c_str());
}

}  // namespace

void PlaceScratchFiles(const std::string& dataFolder, bool installed) {
    g_privateFolderDue = installed || !MayCreateFilesIn(dataFolder) || !UseFolder(dataFolder);
    if (!g_privateFolderDue)
        NameScratchFiles();
}

const char* ScratchFolder() {
    if (g_privateFolderDue)
        MakePrivateFolder();
    return g_folder;
}
