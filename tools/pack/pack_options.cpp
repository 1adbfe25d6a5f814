#include "tools/pack/pack_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

const char* const USAGE =
    "Usage: kvx-pack encrypt IN OUT [options]\n"
    "       kvx-pack decrypt IN OUT [options]\n"
    "       kvx-pack build MANIFEST DIR [options]";

const char* const DESCRIPTION =
    "Makes and opens the demo's encrypted asset containers.\n"
    "\n"
    "encrypt  makes the container OUT from the file IN\n"
    "decrypt  writes the contents of the container IN to OUT (padding included)\n"
    "build    packs the files listed in MANIFEST, one path a line, into DIR/T001.dat,\n"
    "         DIR/T002.dat, ... in the order listed; relative paths are taken from the\n"
    "         manifest's folder, blank lines and lines starting with # are skipped";

const char* const OPTIONS_GROUP = "Options (the defaults are those of the demo's own containers)";

constexpr std::size_t IV_DIGITS = 16;

// A choice among 0, 1 and 2, as the cipher's mode and padding are given.
OptionReader Choice(const std::string& name, const std::string& choices, int& value) {
    return [name, choices, &value](const std::string& text) {
        char* end = nullptr;
        const long number = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || number < -1000 || number > 1000)
            return name + " needs a number, not '" + text + "'";
        if (number < 0 || number > 2)
            return name + ": " + text + " is not " + choices;
        value = static_cast<int>(number);
        return std::string();
    };
}

// 16 hexadecimal digits: the left word, then the right word.
OptionReader Iv(BlowfishBlock& iv) {
    return [&iv](const std::string& text) {
        const auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
        if (text.size() != IV_DIGITS || !std::all_of(text.begin(), text.end(), hex))
            return "--iv needs 16 hexadecimal digits, not '" + text + "'";
        iv = {static_cast<std::uint32_t>(std::stoul(text.substr(0, 8), nullptr, 16)),
              static_cast<std::uint32_t>(std::stoul(text.substr(8), nullptr, 16))};
        return std::string();
    };
}

void AddCipherOptions(CLI::App& app, PackOptions& o) {
    app.add_option("--key", o.key, "key text (default r&e&v&o)")->type_name("TEXT");
    AddValueOption(app, "--mode", "N", "0 ECB, 1 CBC, 2 CFB (default 0)",
                   Choice("--mode", "0 (ECB), 1 (CBC) or 2 (CFB)", o.mode));
    AddValueOption(app, "--padding", "N",
                   "fill of the last block: 0 zero bytes, 1 spaces, 2 fill count\n(default 0)",
                   Choice("--padding", "0 (zero bytes), 1 (spaces) or 2 (fill count)", o.padding));
    AddValueOption(app, "--iv", "HEX", "initialisation vector, 16 hex digits (default all zero)",
                   Iv(o.iv));
}

CommandLineOutcome CheckArguments(const PackOptions& options) {
    const bool known =
        options.command == "encrypt" || options.command == "decrypt" || options.command == "build";
    if (!known) {
        return UsageError(options.command.empty() ? "no command given"
                                                  : "unknown command " + options.command);
    }
    if (options.files.size() != 2)
        return UsageError(options.command + " takes two file arguments");
    return {};
}

}  // namespace

CommandLineOutcome ParsePackOptions(const std::vector<std::string>& args, PackOptions& options) {
    CLI::App app(DESCRIPTION, "kvx-pack");
    SetUpCommandLine(app, USAGE, OPTIONS_GROUP);
    AddCipherOptions(app, options);
    // The command and its files are described by the usage lines, so they are left out of the
    // option list.
    app.add_option("command", options.command)->group("");
    app.add_option("files", options.files)->group("");
    const CommandLineOutcome outcome = ParseCommandLine(app, args);
    return outcome.action == CommandLineOutcome::RUN ? CheckArguments(options) : outcome;
}
