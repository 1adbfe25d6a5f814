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

// A crash while an asset loads (a fault in an image decoder, say) removes the scratch files too,
// then ends the program as the default action would.
void EndOnFault(int signal) {
    RemoveScratchFilesOnSignal(true);
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
    const sigset_t terminating = TerminatingSignals();
    for (int signal = 1; signal < NSIG; ++signal) {
        if (sigismember(&terminating, signal) == 1 && HasDefaultAction(signal))
            sigaction(signal, &action, nullptr);
    }
    action.sa_handler = EndOnFault;
    for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGSYS}) {
        if (HasDefaultAction(signal))
            sigaction(signal, &action, nullptr);
    }
}
