#include "tools/pack/pack_options.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace {

constexpr std::size_t IV_DIGITS = 16;

std::invalid_argument UsageError(const std::string& text) {
    return std::invalid_argument("kvx-pack: " + text);
}

// Mode and padding are passed on as given, so that a value out of range meets the cipher's own
// error message.
int ParseNumber(const std::string& option, const std::string& value) {
    char* end = nullptr;
    const long number = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || number < -1000 || number > 1000) {
        throw UsageError(option + " needs a number, not '" + value + "'");
    }
    return static_cast<int>(number);
}

// 16 hexadecimal digits: the left word, then the right word.
BlowfishBlock ParseIv(const std::string& value) {
    const auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
    if (value.size() != IV_DIGITS || !std::all_of(value.begin(), value.end(), hex)) {
        throw UsageError("--iv needs 16 hexadecimal digits, not '" + value + "'");
    }
    return {static_cast<std::uint32_t>(std::stoul(value.substr(0, 8), nullptr, 16)),
            static_cast<std::uint32_t>(std::stoul(value.substr(8), nullptr, 16))};
}

void ApplyOption(PackOptions& options, const std::string& option, const std::string& value) {
    if (option == "--key") {
        options.key = value;
    } else if (option == "--mode") {
        options.mode = ParseNumber(option, value);
    } else if (option == "--padding") {
        options.padding = ParseNumber(option, value);
    } else if (option == "--iv") {
        options.iv = ParseIv(value);
    } else {
        throw UsageError("unknown option " + option);
    }
}

void CheckArguments(const PackOptions& options) {
    const bool known =
        options.command == "encrypt" || options.command == "decrypt" || options.command == "build";
    if (!known) {
        throw UsageError(options.command.empty() ? "no command given"
                                                 : "unknown command " + options.command);
    }
    if (options.files.size() != 2) {
        throw UsageError(options.command + " takes two file arguments");
    }
}

}  // namespace

PackOptions ParsePackOptions(int argc, char** argv) {
    PackOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }
        if (arg.rfind("--", 0) == 0) {
            if (i + 1 >= argc) {
                throw UsageError(arg + " needs a value");
            }
            ApplyOption(options, arg, argv[++i]);
        } else if (options.command.empty()) {
            options.command = arg;
        } else {
            options.files.push_back(arg);
        }
    }
    CheckArguments(options);
    return options;
}

const char* PackUsage() {
    return "Usage: kvx-pack encrypt IN OUT [options]\n"
           "       kvx-pack decrypt IN OUT [options]\n"
           "       kvx-pack build MANIFEST DIR [options]\n"
           "\n"
           "encrypt  makes the container OUT from the file IN\n"
           "decrypt  writes the contents of the container IN to OUT (padding included)\n"
           "build    packs the files listed in MANIFEST, one path a line, into DIR/T001.dat,\n"
           "         DIR/T002.dat, ... in the order listed; relative paths are taken from the\n"
           "         manifest's folder, blank lines and lines starting with # are skipped\n"
           "\n"
           "Options (the defaults are those of the demo's own containers):\n"
           "  --key TEXT     key text (default r&e&v&o)\n"
           "  --mode N       0 ECB, 1 CBC, 2 CFB (default 0)\n"
           "  --padding N    fill of the last block: 0 zero bytes, 1 spaces, 2 fill count\n"
           "                 (default 0)\n"
           "  --iv HEX       initialisation vector, 16 hex digits (default all zero)\n"
           "  --help         this text\n";
}
