#pragma once

// Opens /dev/null on whichever of standard input, output and error the program was started
// without. Otherwise the next file or connection opened would get that number, and messages
// meant for standard error would be written into it (the display connection, an output file).
// Call first thing in main.
void OpenMissingStandardStreams();

// The status to end the program with once its standard output is flushed: status as it is, or 1
// after a message on standard error naming program when the output could not be written (a
// full disk, /dev/full).
int StatusAfterStandardOutput(const char* program, int status);
