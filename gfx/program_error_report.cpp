#include "gfx/program_error_report.h"

#include <algorithm>

namespace {

// Index of the first character of the line holding position: one past the nearest line feed
// strictly before it, or the text's start. A position at the text's end counts as its last line.
std::size_t LineStart(const std::string& text, int position) {
    if (position < 0) {
        return 0;
    }
    const std::size_t index = std::min(static_cast<std::size_t>(position), text.size());
    if (index < text.size() && text[index] == '\n') {
        return index + 1;
    }
    if (index == 0) {
        return 0;
    }
    const std::size_t feed = text.rfind('\n', index - 1);
    return feed == std::string::npos ? 0 : feed + 1;
}

std::string Header(const char* kind, int position) {
    return std::string("OpenGL Error: Load of NV ") + kind + " program failed on position " +
           std::to_string(position) + ":";
}

}  // namespace

std::string ProgramErrorReport(const char* kind, const std::string& text, int position) {
    const std::size_t start = LineStart(text, position);
    const std::size_t end = text.find('\n', start);
    return Header(kind, position) +
           text.substr(start, end == std::string::npos ? end : end - start);
}
