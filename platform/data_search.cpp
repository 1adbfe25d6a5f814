#include "platform/data_search.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

constexpr const char* WORKING_DATA = "./data";
constexpr const char* INSTALLED_DATA = "share/kvx-demo/data";

// "dir/" and "dir//" name the same folder as "dir"; the messages then read "dir/T001.dat".
std::string WithoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string InstalledFolder(const std::string& executable) {
    if (executable.empty())
        return "";
    return (fs::path(executable).parent_path().parent_path() / INSTALLED_DATA).string();
}

std::string NotFoundMessage(const std::string& installed) {
    std::string places = std::string(WORKING_DATA) + " (below the working folder)";
    if (!installed.empty())
        places += " and in " + installed + " (installed with the program)";
    return std::string("No scene data found: looked for ") + FIRST_CONTAINER + " in " + places +
           ". Start the demo from the folder that holds data/, name the data folder with --data "
           "DIR, or install the demo (make install) so that PREFIX/share/kvx-demo/data holds it "
           "beside PREFIX/bin/kvx-demo.";
}

}  // namespace

DataChoice ChooseDataFolder(const std::string& given, const std::string& executable,
                            const std::function<bool(const std::string&)>& holdsData) {
    if (!given.empty())
        return {WithoutTrailingSlashes(given), false, ""};
    if (holdsData(WORKING_DATA))
        return {WORKING_DATA, false, ""};
    const std::string installed = InstalledFolder(executable);
    if (!installed.empty() && holdsData(installed))
        return {installed, true, ""};
    return {WORKING_DATA, false, NotFoundMessage(installed)};
}

bool HoldsData(const std::string& folder) {
    struct stat entry;
    return lstat((folder + "/" + FIRST_CONTAINER).c_str(), &entry) == 0;
}

std::string RunningProgram() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? "" : program.string();
}
