#include "platform/data_folder.h"

namespace {

std::string& Folder() {
    static std::string folder = "./data";
    return folder;
}

}  // namespace

const std::string& DataFolder() {
    return Folder();
}

void SetDataFolder(const std::string& folder) {
    Folder() = folder;
}

std::string DataFile(const std::string& name) {
    return Folder() + "/" + name;
}
