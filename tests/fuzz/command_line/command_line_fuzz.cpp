// Parses arbitrary argument lists (the input's pieces between NUL bytes). Accepted options must
// hold values the program can use; a rejected list must say why.
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::vector<std::string> SplitAtNul(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    if (size == 0) {
        return args;
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\0', start);
        args.push_back(text.substr(start, end - start));
        if (end == std::string::npos) {
            return args;
        }
        start = end + 1;
    }
}

bool InRange(int value, int lowest, int highest) {
    return value >= lowest && value <= highest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RunOptions options;
    const CommandLineOutcome outcome = ParseRunOptions(SplitAtNul(data, size), options);
    if (outcome.action != CommandLineOutcome::RUN) {
        Require(!outcome.text.empty());
        Require(outcome.action != CommandLineOutcome::USAGE_ERROR ||
                outcome.text.find('\n') == std::string::npos);
        return 0;
    }
    Require(outcome.text.empty());
    Require(InRange(options.width, 16, 8192) && InRange(options.height, 16, 8192));
    Require(options.frames >= 0);
    Require(options.screenshot.empty() || options.frames > 0);
    Require(options.mode.empty() || options.mode == "kvx-hq" || options.mode == "kvx" ||
            options.mode == "ssm" || options.mode == "lispsm" || options.mode == "csm" ||
            options.mode == "csm-stable");
    Require(!options.eye.set || InRange(static_cast<int>(options.eye.elevation), 5, 175));
    // A sweep's grid and shard are what a process can measure.
    Require(!options.sweep.empty() || (!options.sweepGridSet && !options.shardSet));
    Require(SweepViews(options.sweepGrid).size() <= MAX_SWEEP_VIEWS);
    Require(InRange(options.shard.index, 0, options.shard.count - 1));
    return 0;
}
