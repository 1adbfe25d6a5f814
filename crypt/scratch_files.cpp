#include "crypt/scratch_files.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ext/stdio_filebuf.h>
#include <ostream>
#include <stdexcept>

#include "crypt/container_input.h"
#include "crypt/crypt_errors.h"
#include "crypt/scratch_registry.h"

namespace {

constexpr int BLOCK_SIZE = 8;
// Far above any asset of the scene (the largest is half a megabyte): a container that claims more,
// a sparse file for instance, would otherwise fill the disk with its scratch file.
constexpr std::int64_t MAX_CONTAINER_MIB = 256;

void RequireReasonableSize(const ContainerInput& input, const std::string& name) {
    if (input.Size() > (MAX_CONTAINER_MIB << 20))
        throw crypt_error::FileError(
            "File ", name,
            (" is " + std::to_string(input.Size() >> 20) + " MiB, more than the " +
             std::to_string(MAX_CONTAINER_MIB) + " MiB a container may hold!")
                .c_str());
}

std::runtime_error PartBlockError(const std::string& name) {
    return crypt_error::FileError("File ", name,
                                  " is Truncated or has Bytes Appended: its body is not a whole "
                                  "number of 8-byte blocks!");
}

// The body is whole cipher blocks; a container that was cut or added to is refused before a byte
// of it is decrypted. Which of the two happened cannot be told: nothing records the length.
void RequireWholeBlocks(const ContainerInput& input, const std::string& name) {
    if ((input.Size() - FileCrypt::DIGEST_SIZE) % BLOCK_SIZE != 0)
        throw PartBlockError(name);
}

std::runtime_error CreateError(const char* path, int error) {
    if (error == EEXIST)
        return crypt_error::FileError(
            "Cannot create the scratch File ", path,
            ": something of that name is already there (left by a program that was killed, or "
            "another program is loading from this folder). Remove it and start again!");
    return crypt_error::FileError("Cannot create the scratch File ", path,
                                  (std::string(": ") + std::strerror(error) + "!").c_str());
}

// Writes everything through the descriptor; a write that failed (a full disk) is raised.
void DecryptInto(FileCrypt& cipher, ContainerInput& input, int fd, const char* path) {
    __gnu_cxx::stdio_filebuf<char> buffer(fd, std::ios::out | std::ios::binary);
    std::ostream output(&buffer);
    cipher.DecryptBody(input.Stream(), output);
    output.flush();
    if (!output || buffer.close() == nullptr)
        throw crypt_error::FileError("Cannot write File ", path);
}

}  // namespace

ScratchFiles::~ScratchFiles() {
    for (int i = 0; i < SCRATCH_FILE_COUNT; ++i) {
        if (m_bCreated[i])
            RemoveScratchFile(SCRATCH_FILES[i]);
    }
}

void ScratchFiles::Decrypt(FileCrypt& cipher, const std::string& container, int index) {
    ContainerInput input(container);
    cipher.CheckKeyDigest(input.Stream(), container);
    RequireWholeBlocks(input, container);
    RequireReasonableSize(input, container);
    Lock();
    const char* path = SCRATCH_FILES[index];
    const int fd = CreateScratchFile(path);
    if (fd < 0)
        throw CreateError(path, errno);
    m_bCreated[index] = true;
    try {
        DecryptInto(cipher, input, fd, path);
    } catch (const std::runtime_error&) {
        // A container cut while it is read ends inside a block; say so, and which one it was.
        if (input.Shrank())
            throw PartBlockError(container);
        throw;
    }
}

void ScratchFiles::Remove() {
    for (int i = 0; i < SCRATCH_FILE_COUNT; ++i) {
        if (!m_bCreated[i])
            continue;
        m_bCreated[i] = false;
        if (!RemoveScratchFile(SCRATCH_FILES[i]))
            throw std::runtime_error(std::string("Cannot remove file ") + SCRATCH_FILES[i] + ": " +
                                     std::strerror(errno));
    }
    m_lock.reset();
}

// Where the folder cannot be opened for the lock (no read permission), exclusive creation still
// keeps two programs apart: the second meets the first one's file and stops with a message.
void ScratchFiles::Lock() {
    if (!m_lock)
        m_lock.emplace(ScratchFolder());
}
