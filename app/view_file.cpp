#include "app/view_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <vector>

#include "platform/small_files.h"

namespace {

constexpr const char* FORMAT_NAME = "kvx-view";
constexpr int FORMAT_VERSION = 1;
constexpr const char* ON = "on";
constexpr const char* OFF = "off";
constexpr int MAX_FIGURE_FRAME_DIGITS = 5;

const char* const SHADOW_MODES[] = {"kvx-hq", "kvx", "ssm"};
const char* const COMPARED_MODES[] = {"none", "lispsm", "csm", "csm-stable"};

// The shortest text strtof reads back as value.
std::string ExactNumber(float value) {
    char text[32];
    for (int digits = 6; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value)
            break;
    }
    return text;
}

std::string OrbitText(const OrbitOption& orbit) {
    return ExactNumber(orbit.elevation) + "," + ExactNumber(orbit.azimuth) + "," +
           ExactNumber(orbit.distance);
}

// One key of the format: reading its value into a view gives "" or what the
// value should have been.
struct Key {
    std::string name;
    std::function<std::string(const std::string& value, SavedView& view)> read;
};

Key OrbitKey(const char* name, const OrbitLimits& limits, OrbitOption SavedView::*orbit) {
    return {name, [limits, orbit](const std::string& value, SavedView& view) {
                return ParseOrbit(value, limits, view.*orbit) ? std::string()
                                                              : "is not " + OrbitForm(limits);
            }};
}

template <std::size_t N>
Key ChoiceKey(const char* name, const char* const (&choices)[N], std::string SavedView::*chosen) {
    return {name, [&choices, chosen](const std::string& value, SavedView& view) {
                std::string known;
                for (const char* choice : choices) {
                    if (value == choice) {
                        view.*chosen = value;
                        return std::string();
                    }
                    known += (known.empty() ? "" : ", ") + std::string(choice);
                }
                return "is not one of " + known;
            }};
}

Key SwitchKey(const char* name, bool SavedView::*on) {
    return {name, [on](const std::string& value, SavedView& view) {
                if (value != ON && value != OFF)
                    return std::string("is not on or off");
                view.*on = value == ON;
                return std::string();
            }};
}

bool ParseFrame(const std::string& text, int& frame) {
    if (text.empty() || text.size() > MAX_FIGURE_FRAME_DIGITS ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    frame = std::atoi(text.c_str());
    return true;
}

Key FigureKey(int figure) {
    return {"figure-" + std::to_string(figure + 1),
            [figure](const std::string& value, SavedView& view) {
                const std::size_t comma = value.find(',');
                FigurePose pose;
                if (comma == std::string::npos ||
                    !ParseFrame(value.substr(0, comma), pose.frameA) ||
                    !ParseFrame(value.substr(comma + 1), pose.frameB))
                    return "is not A,B: two whole numbers of frames from 0 to " +
                           std::to_string(MAX_FIGURE_FRAME);
                view.figures[figure] = pose;
                return std::string();
            }};
}

// Every key of the format, in the order they are written.
const std::vector<Key>& Keys() {
    static const std::vector<Key> keys = [] {
        std::vector<Key> all{
            OrbitKey("eye", EYE_LIMITS, &SavedView::eye),
            OrbitKey("light", LIGHT_LIMITS, &SavedView::light),
            ChoiceKey("shadow-mode", SHADOW_MODES, &SavedView::shadowMode),
            ChoiceKey("compared-mode", COMPARED_MODES, &SavedView::comparedMode),
            SwitchKey("inset", &SavedView::inset),
            SwitchKey("heat-colours", &SavedView::heatColours),
            SwitchKey("readout", &SavedView::readout),
            SwitchKey("paused", &SavedView::paused),
        };
        for (int figure = 0; figure < FIGURE_COUNT; ++figure)
            all.push_back(FigureKey(figure));
        return all;
    }();
    return keys;
}

const Key* FindKey(const std::string& name) {
    for (const Key& key : Keys()) {
        if (key.name == name)
            return &key;
    }
    return nullptr;
}

// The text's lines, each without its line break; false when the last one
// has none (the file was cut short).
bool SplitLines(const std::string& text, std::vector<std::string>& lines) {
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return start == text.size();
}

// "kvx-view 1" opens the file; another version is named as such.
std::string CheckFormatLine(const std::string& line) {
    const std::string prefix = std::string(FORMAT_NAME) + " ";
    int version = 0;
    if (line.compare(0, prefix.size(), prefix) != 0 ||
        !ParseFrame(line.substr(prefix.size()), version))
        return "not a view file: it does not begin with the line \"" + prefix +
               std::to_string(FORMAT_VERSION) + "\"";
    if (version != FORMAT_VERSION)
        return "version " + std::to_string(version) +
               " of the view file format; this program reads version " +
               std::to_string(FORMAT_VERSION);
    return "";
}

bool IsKeyName(const std::string& name) {
    return !name.empty() &&
           name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-") == std::string::npos;
}

// Reads one "KEY VALUE" line (numbered number) into view, noting its key in seen.
std::string ReadLine(const std::string& line, int number, std::map<std::string, int>& seen,
                     SavedView& view) {
    const std::string where = "line " + std::to_string(number);
    const std::size_t space = line.find(' ');
    const std::string name = line.substr(0, space);
    if (space == std::string::npos || !IsKeyName(name) || space + 1 == line.size())
        return where + " is not a line KEY VALUE";
    const Key* key = FindKey(name);
    if (key == nullptr)
        return where + ": " + name + " is not a key of view files";
    if (seen.count(name) != 0)
        return where + ": " + name + " is given a second time (first on line " +
               std::to_string(seen[name]) + ")";
    seen[name] = number;
    const std::string problem = key->read(line.substr(space + 1), view);
    return problem.empty() ? "" : where + ": " + name + " " + problem;
}

std::string TooLarge(std::size_t bytes) {
    return "the file is " + std::to_string(bytes) + " bytes, more than the " +
           std::to_string(MAX_VIEW_FILE_BYTES) + " bytes a view file may have";
}

}  // namespace

std::string ViewFileText(const SavedView& view) {
    std::string text = std::string(FORMAT_NAME) + " " + std::to_string(FORMAT_VERSION) + "\n";
    text += "eye " + OrbitText(view.eye) + "\n";
    text += "light " + OrbitText(view.light) + "\n";
    text += "shadow-mode " + view.shadowMode + "\n";
    text += "compared-mode " + view.comparedMode + "\n";
    text += std::string("inset ") + (view.inset ? ON : OFF) + "\n";
    text += std::string("heat-colours ") + (view.heatColours ? ON : OFF) + "\n";
    text += std::string("readout ") + (view.readout ? ON : OFF) + "\n";
    text += std::string("paused ") + (view.paused ? ON : OFF) + "\n";
    for (int f = 0; f < FIGURE_COUNT; ++f) {
        text += "figure-" + std::to_string(f + 1) + " " + std::to_string(view.figures[f].frameA) +
                "," + std::to_string(view.figures[f].frameB) + "\n";
    }
    return text;
}

std::string ParseViewFile(const std::string& text, SavedView& view) {
    if (text.empty())
        return "the file is empty";
    if (text.size() > MAX_VIEW_FILE_BYTES)
        return TooLarge(text.size());
    std::vector<std::string> lines;
    const bool whole = SplitLines(text, lines);
    const std::string format = CheckFormatLine(lines.empty() ? text : lines[0]);
    if (!format.empty())
        return format;
    if (!whole)
        return "the file is cut short: its last line has no line break";
    SavedView read = view;
    std::map<std::string, int> seen;
    for (std::size_t n = 1; n < lines.size(); ++n) {
        if (lines[n].empty() || lines[n][0] == '#')
            continue;
        const std::string problem = ReadLine(lines[n], static_cast<int>(n + 1), seen, read);
        if (!problem.empty())
            return problem;
    }
    for (const Key& key : Keys()) {
        if (seen.count(key.name) == 0)
            return "the line " + key.name + " is missing";
    }
    view = read;
    return "";
}

std::string ReadViewFile(const std::string& path, SavedView& view) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return std::strerror(errno);
    if (!S_ISREG(info.st_mode))
        return "not a regular file";
    if (static_cast<std::size_t>(info.st_size) > MAX_VIEW_FILE_BYTES)
        return TooLarge(static_cast<std::size_t>(info.st_size));
    std::string text;
    errno = 0;
    if (!ReadSmallRegularFile(path, MAX_VIEW_FILE_BYTES, text))
        return std::strerror(errno != 0 ? errno : EIO);
    return ParseViewFile(text, view);
}

std::string WriteViewFile(const std::string& path, const SavedView& view) {
    return ReplaceFileContents(path, ViewFileText(view));
}
