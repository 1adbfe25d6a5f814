#include "app/command_line_parser.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>

#include "app/program_version.h"

namespace {

// The options of a group that --help lists (a positional is told of in the
// usage lines).
std::vector<const CLI::Option*> OptionsOf(const CLI::App* app, const std::string& group) {
    return app->get_options([&group](const CLI::Option* option) {
        return option->get_group() == group && option->nonpositional();
    });
}

constexpr int USAGE_ERROR_STATUS = 2;
constexpr std::size_t NAME_COLUMN = 22;

// --help as these programs have always shown it: the usage lines first, then what the program
// does, then its options.
class ProgramHelp : public CLI::Formatter {
  public:
    explicit ProgramHelp(std::string usage) : m_usage(std::move(usage)) {
        column_width(NAME_COLUMN);
    }

    std::string make_usage(const CLI::App*, std::string) const override { return m_usage + "\n"; }

    // The value's name alone: which options go together is told in words.
    std::string make_option_opts(const CLI::Option* option) const override {
        return option->get_type_size() == 0 ? "" : " " + option->get_type_name();
    }

    std::string make_help(const CLI::App* app, std::string name,
                          CLI::AppFormatMode) const override {
        std::string help = make_usage(app, name) + "\n" + make_description(app);
        for (const std::string& group : app->get_groups()) {
            const std::vector<const CLI::Option*> options = OptionsOf(app, group);
            if (!group.empty() && !options.empty())
                help += make_group(group, false, options);
        }
        const std::string footer = app->get_footer();
        return footer.empty() ? help : help + "\n" + footer + "\n";
    }

  private:
    std::string m_usage;
};

}  // namespace

void SetUpCommandLine(CLI::App& app, const std::string& usage, const std::string& group) {
    app.formatter(std::make_shared<ProgramHelp>(usage));
    app.option_defaults()->group(group);
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.set_help_flag("-h,--help", "show this text");
    app.set_version_flag("--version", app.get_name() + " " + KVX_VERSION,
                         "print the program's name and version, then exit");
}

CommandLineOutcome ParseCommandLine(CLI::App& app, const std::vector<std::string>& args) {
    // CLI11 takes a list of arguments last one first.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return {CommandLineOutcome::SHOW_HELP, app.help()};
    } catch (const CLI::CallForVersion& version) {
        return {CommandLineOutcome::SHOW_VERSION, std::string(version.what()) + "\n"};
    } catch (const CLI::ParseError& error) {
        return UsageError(error.what());
    }
    return {};
}

// The reason quotes the arguments it refuses; their control characters are
// shown as escapes, so that an argument cannot break the message into lines
// or drive the terminal.
CommandLineOutcome UsageError(const std::string& reason) {
    std::string text;
    for (const char c : reason) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            text += c;
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02x", byte);
        text += escape;
    }
    return {CommandLineOutcome::USAGE_ERROR, text};
}

int ReportCommandLine(const std::string& program, const CommandLineOutcome& outcome) {
    if (outcome.action != CommandLineOutcome::USAGE_ERROR) {
        std::fputs(outcome.text.c_str(), stdout);
        return 0;
    }
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", program.c_str(),
                 outcome.text.c_str(), program.c_str());
    return USAGE_ERROR_STATUS;
}

CLI::Option* AddValueOption(CLI::App& app, const std::string& name, const std::string& type,
                            const std::string& description, OptionReader read) {
    const auto take = [read](const CLI::results_t& texts) {
        const std::string reason = read(texts.back());
        if (!reason.empty())
            throw CLI::ValidationError(reason);
        return true;
    };
    return app.add_option(name, take, description)->type_name(type);
}

CLI::Option* AddPathOption(CLI::App& app, const std::string& name, const std::string& type,
                           const std::string& description, std::string& path,
                           const std::string& what) {
    const std::string refusal = name + " needs " + what;
    return AddValueOption(app, name, type, description, [&path, refusal](const std::string& text) {
        if (text.empty())
            return refusal;
        path = text;
        return std::string();
    });
}
