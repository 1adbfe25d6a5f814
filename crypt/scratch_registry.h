#pragma once

// The scratch files this process has created and not yet removed. Decrypted assets must never
// outlive their load, so a file is created only where nothing stood before (no link, file or
// other entry is ever written through), and it is removed only while it is still the file this
// process created. A handler of a terminating signal, on any thread, removes what is left.
//
// Paths must be string constants: the registry keeps the pointers.

// Creates path exclusively (never following a link), readable and writable by the owner only,
// and records it. Returns the open descriptor, or -1 with errno set (EEXIST when any entry
// already stands at path).
int CreateScratchFile(const char* path);

// Removes path if it is still the file CreateScratchFile made, and forgets it. Returns false
// with errno set when the removal itself failed; an entry that is no longer this process's file
// is left alone.
bool RemoveScratchFile(const char* path);

// Async-signal-safe: removes every recorded file that is still this process's own. For the
// handlers of terminating signals and crashes; after it, no scratch file is created any more.
void RemoveScratchFilesOnSignal();
