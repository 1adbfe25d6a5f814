#pragma once

#include <string>

// The message shown when the driver rejects a GPU program: the header naming the program kind
// ("vertex" or "fragment") and the error position, followed directly by the line of the text
// that holds the position. A position on a line feed shows the line after it; positions outside
// the text are clamped to it, so any position is safe.
std::string ProgramErrorReport(const char* kind, const std::string& text, int position);
