#pragma once

#include <functional>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

// What a command line asks of the program once it is parsed.
struct CommandLineOutcome {
    enum Action { RUN, SHOW_HELP, SHOW_VERSION, USAGE_ERROR };
    Action action = RUN;
    std::string text;  // the help text, the version line or the usage error's one-line reason
};

// The way every program here presents itself: USAGE (its "Usage: ..." lines) and the app's
// description open --help, then the options by group, then the app's footer; -h and --help show
// that, --version prints the program's name and the project's version. Both are listed under
// GROUP, where the options added next go too. An option given twice keeps its last value.
void SetUpCommandLine(CLI::App& app, const std::string& usage,
                      const std::string& group = "Options");

// Parses the arguments after the program's name; a refused command line comes back as a usage
// error with CLI11's reason or that of the option's reader.
CommandLineOutcome ParseCommandLine(CLI::App& app, const std::vector<std::string>& args);

// A usage error found after parsing, e.g. options that do not go together.
CommandLineOutcome UsageError(const std::string& reason);

// Prints what the outcome asks for, the help and version on standard output and a usage error on
// standard error with a pointer to --help, and returns the exit status: 0, or 2 for a usage error.
int ReportCommandLine(const std::string& program, const CommandLineOutcome& outcome);

// Reads an option's text into the program's options; returns an empty string when it took the
// text, otherwise the one-line reason it refuses it.
using OptionReader = std::function<std::string(const std::string& text)>;

// An option NAME VALUE (or NAME=VALUE) whose value read() takes; TYPE names the value in --help.
CLI::Option* AddValueOption(CLI::App& app, const std::string& name, const std::string& type,
                            const std::string& description, OptionReader read);

// An option naming a file or folder: any text but the empty one, which is refused with
// "NAME needs a file name" (or whatever WHAT says is needed).
CLI::Option* AddPathOption(CLI::App& app, const std::string& name, const std::string& type,
                           const std::string& description, std::string& path,
                           const std::string& what = "a file name");
