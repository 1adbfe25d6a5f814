#pragma once

#include <functional>
#include <string>

// Writes a file so that a failure leaves whatever stood at out as it was: write fills a new
// temporary file beside out, which replaces out only when write returned. On an error the
// temporary file is removed and the error passes on, with the temporary name in its message
// replaced by out. A link at out is followed and kept; the file keeps its permissions; an out
// that is not a regular file (a device, a FIFO, a directory) is refused.
void WriteReplacing(const std::string& out, const std::function<void(const std::string&)>& write);
