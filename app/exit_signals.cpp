#include "app/exit_signals.h"

#include <csignal>
#include <initializer_list>

#include "crypt/scratch_registry.h"

namespace {

// Runs with the signal's default action restored (SA_RESETHAND) and the signal blocked, so the
// raise takes effect, with the default action, as the handler returns.
void EndOnSignal(int signal) {
    RemoveScratchFilesOnSignal();
    raise(signal);
}

}  // namespace

// A signal the program was started with ignored (nohup, a background job of a script) stays
// ignored.
void InstallExitSignalHandlers() {
    struct sigaction action = {};
    action.sa_handler = EndOnSignal;
    action.sa_flags = SA_RESETHAND;
    sigfillset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        struct sigaction inherited = {};
        if (sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}
