#pragma once

// Every signal from outside whose default action ends the program (interrupt, terminate,
// hang-up, quit, the user signals, timers, limits) still ends it as it would by default, so the
// exit status says which signal it was, but only after the scratch files of an asset that is
// being loaded are removed: no decrypted asset outlives the program. A write to a closed pipe or
// past the file-size limit fails with an error the writer reports instead of ending the program.
// A crash (SIGSEGV, SIGABRT, ...) removes the scratch files before it ends the program as it
// would. Signals that were ignored or handled when the program started keep their handling.
void InstallExitSignalHandlers();
