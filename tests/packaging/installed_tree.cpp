#include "tests/packaging/installed_tree.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

constexpr int CONTAINER_COUNT = 35;
constexpr uid_t NOBODY = 65534;

// The X server's authority file as a copy nobody may read, for a program run as nobody.
std::string ReadableAuthority(const std::string& folder) {
    const char* authority = std::getenv("XAUTHORITY");
    if (authority == nullptr || !fs::exists(authority))
        return "";
    const std::string copy = folder + "/Xauthority";
    fs::copy_file(authority, copy, fs::copy_options::overwrite_existing);
    fs::permissions(copy, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    return copy;
}

}  // namespace

InstalledTree::InstalledTree() {
    OpenToEveryone(m_dir.Path(""), false);
    const ProgramRun install =
        RunProgram(KVX_CMAKE, {"--install", KVX_BUILD_DIR, "--prefix", "/usr"}, m_dir.Path(""),
                   {"DESTDIR=" + m_dir.Path("root")});
    EXPECT_EQ(install.exitCode, 0) << install.out << install.err;
}

std::string InstalledTree::Data() const {
    return fs::canonical(Prefix() + "/share/kvx-demo/data").string();
}

std::string InstalledTree::Folder(const std::string& name) const {
    fs::create_directories(m_dir.Path(name));
    return m_dir.Path(name);
}

void LinkBakedData(const std::string& folder) {
    fs::create_directories(folder);
    const std::string baked = std::string(KVX_SOURCE_DIR) + "/data/";
    for (int c = 1; c <= CONTAINER_COUNT; ++c) {
        char name[16];
        std::snprintf(name, sizeof name, "T%03d.dat", c);
        fs::create_symlink(baked + name, folder + "/" + name);
    }
    fs::create_symlink(baked + "CREDITS.txt", folder + "/CREDITS.txt");
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void SetReadOnly(const std::string& folder, bool readOnly) {
    const fs::perms write = fs::perms::owner_write | fs::perms::group_write;
    const fs::perm_options how = readOnly ? fs::perm_options::remove : fs::perm_options::add;
    fs::permissions(folder, write, how);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_symlink())
            fs::permissions(entry.path(), write, how);
    }
}

void OpenToEveryone(const std::string& folder, bool writable) {
    fs::perms perms = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                      fs::perms::others_read | fs::perms::others_exec;
    if (writable)
        perms |= fs::perms::group_write | fs::perms::others_write;
    fs::permissions(folder, perms);
}

ProgramRun RunUnprivileged(const std::string& program, const std::vector<std::string>& args,
                           const std::string& directory, std::vector<std::string> env) {
    if (geteuid() != 0)
        return RunProgram(program, args, directory, env);
    const std::string authority = ReadableAuthority(directory);
    if (!authority.empty())
        env.push_back("XAUTHORITY=" + authority);
    std::vector<std::string> asNobody{"--reuid=" + std::to_string(NOBODY),
                                      "--regid=" + std::to_string(NOBODY), "--clear-groups", "--",
                                      program};
    asNobody.insert(asNobody.end(), args.begin(), args.end());
    return RunProgram("/usr/bin/setpriv", asNobody, directory, env);
}
