#pragma once

#include <csignal>

// The signals that come from outside the program (a key at the terminal, kill, a timer, a
// resource limit) and whose default action ends it: every one of them could otherwise end the
// program while a decrypted asset stands in a scratch file.
sigset_t TerminatingSignals();

// The signals of a crash (SIGSEGV, SIGABRT, ...), which end the program the same way.
sigset_t FaultSignals();
