#pragma once

#include <string>

// The folder the containers and the credits file are read from: chosen once at start-up, before
// anything is loaded, and "./data" (below the working folder) until then.
const std::string& DataFolder();
void SetDataFolder(const std::string& folder);

// The path of the file name in the data folder, e.g. "./data/T001.dat".
std::string DataFile(const std::string& name);
