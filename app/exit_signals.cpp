#include "app/exit_signals.h"

#include <csignal>
#include <initializer_list>

#include "crypt/scratch_registry.h"
#include "crypt/terminating_signals.h"

namespace {

// Runs with the signal's default action restored (SA_RESETHAND) and the signal blocked, so the
// raise takes effect, with the default action, as the handler returns.
void EndOnSignal(int signal) {
    RemoveScratchFilesOnSignal();
    raise(signal);
}

bool HasDefaultAction(int signal) {
    struct sigaction inherited = {};
    return sigaction(signal, nullptr, &inherited) == 0 && !(inherited.sa_flags & SA_SIGINFO) &&
           inherited.sa_handler == SIG_DFL;
}

}  // namespace

void InstallExitSignalHandlers() {
    for (int signal : {SIGPIPE, SIGXFSZ}) {
        if (HasDefaultAction(signal))
            std::signal(signal, SIG_IGN);
    }
    struct sigaction action = {};
    action.sa_handler = EndOnSignal;
    action.sa_flags = SA_RESETHAND;
    sigfillset(&action.sa_mask);
    sigset_t handled = TerminatingSignals();
    const sigset_t faults = FaultSignals();
    sigorset(&handled, &handled, &faults);
    for (int signal = 1; signal < NSIG; ++signal) {
        if (sigismember(&handled, signal) == 1 && HasDefaultAction(signal))
            sigaction(signal, &action, nullptr);
    }
}
