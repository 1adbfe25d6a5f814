#pragma once

// The scratch files this process has created and not yet removed. Decrypted assets must never
// outlive their load, so a file is created only where nothing stood before (no link, file or
// other entry is ever written through), and it is removed only while it is still the file this
// process created. A handler of a terminating signal, on any thread, removes what is left.
//
// Paths must stay where they are until their files are removed: the registry keeps the pointers.

// Creates path exclusively (never following a link), readable and writable by the owner only,
// and records it. Returns the open descriptor, or -1 with errno set (EEXIST when any entry
// already stands at path).
int CreateScratchFile(const char* path);

// Removes path if it is still the file CreateScratchFile made, and forgets it. Returns false
// with errno set when the removal itself failed; an entry that is no longer this process's file
// is left alone.
bool RemoveScratchFile(const char* path);

// Makes a folder from pathTemplate, which ends in "XXXXXX" (mkdtemp: a new name, mode 0700), and
// records it: it is removed when the program ends, by exit or by a terminating signal, once the
// scratch files in it are gone. False with errno set when it cannot be made. pathTemplate must
// outlive the program's end.
bool CreateScratchFolder(char* pathTemplate);

// Async-signal-safe: removes every recorded file that is still this process's own. For the
// handlers of terminating signals and crashes; after it, no scratch file is created any more.
// The folder CreateScratchFolder made goes too.
void RemoveScratchFilesOnSignal();
