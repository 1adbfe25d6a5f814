#pragma once

#include <csignal>

// The signals that come from outside the program (a key at the terminal, kill, a timer, a
// resource limit) and whose default action ends it: every one of them could otherwise end the
// program while a decrypted asset stands in a scratch file. The faults of the program itself
// (SIGSEGV, SIGABRT, ...) are not among them.
sigset_t TerminatingSignals();
