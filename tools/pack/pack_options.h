#pragma once

#include <string>
#include <vector>

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
    bool help = false;
};

// Parses argv; raises std::invalid_argument with a message for a malformed command line.
PackOptions ParsePackOptions(int argc, char** argv);

const char* PackUsage();
