// kvx-pack: makes and opens the demo's encrypted asset containers.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "crypt/blowfish.h"
#include "platform/standard_streams.h"
#include "tools/pack/pack_build.h"
#include "tools/pack/pack_options.h"
#include "tools/pack/replaced_output.h"

namespace {

constexpr int EXIT_FAILED = 1;

void Run(const PackOptions& options) {
    CBlowfish cipher;
    cipher.Initialize(options.key.data(), static_cast<std::int32_t>(options.key.size()), options.iv,
                      options.mode, options.padding);
    const std::string& first = options.files[0];
    const std::string& second = options.files[1];
    if (options.command == "encrypt" || options.command == "decrypt") {
        RequireDistinctFiles(first, second);
        WriteReplacing(second, [&](const std::string& out) {
            if (options.command == "encrypt")
                cipher.EncryptFile(first, out);
            else
                cipher.DecryptFile(first, out);
        });
    } else {
        PackFiles(cipher, ReadManifest(first), second);
    }
}

}  // namespace

int main(int argc, char** argv) {
    OpenMissingStandardStreams();
    PackOptions options;
    const CommandLineOutcome command =
        ParsePackOptions(std::vector<std::string>(argv + 1, argv + argc), options);
    if (command.action != CommandLineOutcome::RUN)
        return StatusAfterStandardOutput("kvx-pack", ReportCommandLine("kvx-pack", command));
    try {
        Run(options);
    } catch (const std::exception& error) {
        std::cerr << "kvx-pack: " << error.what() << "\n";
        return EXIT_FAILED;
    }
    return 0;
}
