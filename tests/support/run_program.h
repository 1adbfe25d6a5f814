#pragma once

#include <string>
#include <vector>

// The outcome of running a program to its end.
struct ProgramRun {
    int exitCode = -1;  // -1 when it did not exit normally
    std::string out;
    std::string err;
};

// Runs program with args in directory, with extra environment settings
// ("NAME=value", or "NAME=" followed by nothing to remove NAME), and waits for
// it. Standard input is empty.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& directory, const std::vector<std::string>& env = {});
