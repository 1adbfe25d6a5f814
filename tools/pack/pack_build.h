#pragma once

#include <string>
#include <vector>

#include "crypt/file_crypt.h"

// The asset files a manifest lists, in order, with relative paths resolved against the
// manifest's folder. Raises std::runtime_error when the manifest cannot be read or lists nothing.
std::vector<std::string> ReadManifest(const std::string& manifest);

// Encrypts each file into dir/T001.dat, dir/T002.dat, ... creating dir when it is missing.
void PackFiles(FileCrypt& cipher, const std::vector<std::string>& files, const std::string& dir);
