#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

// Reads the whole file at path into bytes when it is a regular file of at most maxBytes. The
// open never waits (a FIFO without a writer would block it) and what was opened is what is
// checked, so a link swapped meanwhile changes nothing. False for anything else.
bool ReadSmallRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

// Writes size bytes to fd, going on after short writes and interruptions. False when a write
// failed (a full disk).
bool WriteAll(int fd, const char* bytes, std::size_t size);

// The file a link at path leads to, or path itself when it is no link.
std::string FileBehindLink(const std::string& path);

// The permissions a file replacing the one at path gets: that file's own, or those a newly
// created file gets when there is none.
mode_t PermissionsForReplacing(const std::string& path);

// Replaces what the file at path holds with bytes so that a reader, or a second program doing the
// same, sees the old file or the new one and never a part: a new file beside it is written,
// flushed to disk and renamed over it. A link at path is followed and the link kept; an existing
// file keeps its permissions; what is not a regular file (a FIFO, a device, a directory), even
// behind a link, is refused rather than replaced by a plain file. Returns "" when the file was
// replaced, else what went wrong, worded to follow the file's name ("is not a regular file",
// "cannot be replaced: ..."); the old file is then as it was.
std::string ReplaceFileContents(const std::string& path, const std::string& bytes);
