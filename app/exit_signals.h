#pragma once

// Interrupt, terminate, hang-up and quit requests end the program as they would by default (the
// exit status says which signal it was), after removing the scratch files of an asset that is
// being loaded, so no decrypted asset outlives the program. Signals that were ignored when the
// program started stay ignored.
void InstallExitSignalHandlers();
