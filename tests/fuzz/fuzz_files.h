#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Scratch files of one fuzzing process, in a directory of its own under the system's temporary
// folder.
std::string FuzzPath(const char* name);
void WriteFuzzFile(const std::string& path, const std::uint8_t* data, std::size_t size);
std::string ReadFuzzFile(const std::string& path);
