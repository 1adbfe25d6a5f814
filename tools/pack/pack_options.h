#pragma once

#include <string>
#include <vector>

#include "app/command_line_parser.h"
#include "crypt/blowfish.h"

// A kvx-pack command line: the command, its file arguments and the cipher settings, which
// default to those of the program's own containers.
struct PackOptions {
    std::string command;
    std::vector<std::string> files;
    std::string key = "r&e&v&o";
    BlowfishBlock iv{0, 0};
    int mode = CBlowfish::MODE_ECB;
    int padding = 0;
};

// Parses the arguments after the program name. The outcome says whether to run, to show the help
// or the version, or that the command line is malformed, with a one-line reason.
CommandLineOutcome ParsePackOptions(const std::vector<std::string>& args, PackOptions& options);
