#include "app/prefs_text.h"

#include <sstream>

namespace {

constexpr std::size_t FIRST_LINE_CHARS = 60;
constexpr std::size_t CONTINUED_LINE_CHARS = 80;

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

std::string Escaped(const std::string& value) {
    std::string text;
    for (const char c : value) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            text += "\\\\";
        } else if (c == '\n') {
            text += "\\n";
        } else if (c == '\r') {
            text += "\\r";
        } else if (byte < 32 || byte >= 127) {
            text += '\\';
            text += static_cast<char>('0' + (byte >> 6));
            text += static_cast<char>('0' + ((byte >> 3) & 7));
            text += static_cast<char>('0' + (byte & 7));
        } else {
            text += c;
        }
    }
    return text;
}

std::string Unescaped(const std::string& text) {
    std::string value;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            value += text[i];
        } else if (i + 1 < text.size() &&
                   (text[i + 1] == '\\' || text[i + 1] == 'n' || text[i + 1] == 'r')) {
            value += text[i + 1] == 'n' ? '\n' : text[i + 1] == 'r' ? '\r' : '\\';
            ++i;
        } else {
            // Three octal digits give a byte; fewer (cut off) or another letter are left out.
            std::size_t digits = 0;
            int byte = 0;
            while (digits < 3 && i + 1 + digits < text.size() && IsOctalDigit(text[i + 1 + digits]))
                byte = byte * 8 + (text[i + 1 + digits++] - '0');
            if (digits == 3)
                value += static_cast<char>(byte);
            i += digits == 0 ? 1 : digits;
        }
    }
    return value;
}

}  // namespace

std::string PrefsText(const char* vendor, const char* application, const std::string& group,
                      const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string text = std::string("; FLTK preferences file format 1.0\n; vendor: ") + vendor +
                       "\n; application: " + application + "\n\n[.]\n\n\n[./" + group + "]\n\n";
    for (const auto& [key, value] : entries) {
        const std::string escaped = Escaped(value);
        text += key + ":" + escaped.substr(0, FIRST_LINE_CHARS) + "\n";
        for (std::size_t at = FIRST_LINE_CHARS; at < escaped.size(); at += CONTINUED_LINE_CHARS)
            text += "+" + escaped.substr(at, CONTINUED_LINE_CHARS) + "\n";
    }
    return text;
}

std::map<std::string, std::string> PrefsGroupEntries(const std::string& text,
                                                     const std::string& group) {
    std::map<std::string, std::string> escaped;
    std::istringstream lines(text);
    std::string line, lastKey;
    bool inGroup = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            inGroup = line == "[./" + group + "]";
            lastKey.clear();
        } else if (line[0] == '+') {
            if (inGroup && !lastKey.empty())
                escaped[lastKey] += line.substr(1);
        } else if (inGroup) {
            const std::size_t colon = line.find(':');
            lastKey = line.substr(0, colon);
            escaped[lastKey] = colon == std::string::npos ? "" : line.substr(colon + 1);
        }
    }
    std::map<std::string, std::string> entries;
    for (const auto& [key, value] : escaped)
        entries[key] = Unescaped(value);
    return entries;
}
