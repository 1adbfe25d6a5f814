#pragma once

#include <string>

// Runs a shell command line and returns its exit status and everything it printed.
struct CommandResult {
    int status;
    std::string output;
};

CommandResult RunCommand(const std::string& command);

// The text quoted for the shell as one word.
std::string Quote(const std::string& text);
