#include "app/app_settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/prefs_text.h"
#include "platform/small_files.h"

namespace {

constexpr const char* RECENT_FILE_GROUP = "Recent File List";
// Four paths take a few kilobytes even at the system's longest; a larger file is not ours.
constexpr std::size_t MAX_SETTINGS_BYTES = 256 * 1024;

std::string RecentFileKey(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

// Where FLTK keeps the preferences of user scope: $HOME/.fltk/VENDOR/APPLICATION.prefs. Without
// a home there are no settings.
std::string SettingsPath() {
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0')
        return "";
    return (std::filesystem::path(home) / ".fltk" / AppSettings::VENDOR /
            (std::string(AppSettings::APPLICATION) + ".prefs"))
        .string();
}

// Why a settings file that exists cannot be read as one, or "" when it can or when there is none
// (a missing file, or a link to nothing, is where the first save creates the list).
std::string UnreadableBecause(const std::string& path) {
    std::string text;
    if (ReadSmallRegularFile(path, MAX_SETTINGS_BYTES, text))
        return "";
    struct stat info;
    if (stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? "" : std::string("cannot be read (") + std::strerror(errno) + ")";
    if (!S_ISREG(info.st_mode))
        return "is not a regular file";
    if (static_cast<std::size_t>(info.st_size) > MAX_SETTINGS_BYTES)
        return "is larger than a settings file can be";
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::string("cannot be read (") + std::strerror(errno) + ")";
    close(fd);
    return "cannot be read";
}

std::string NotSaved(const std::string& path, const std::string& problem) {
    return "Settings error: " + path + ": " + problem + "; the recent-file list was not saved.";
}

}  // namespace

void RecentFileList::Add(const std::string& path) {
    if (path.empty())
        return;
    m_entries.erase(std::remove(m_entries.begin(), m_entries.end(), path), m_entries.end());
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > MAX_ENTRIES)
        m_entries.resize(MAX_ENTRIES);
}

void RecentFileList::Assign(const std::vector<std::string>& entries) {
    m_entries.clear();
    for (const std::string& path : entries) {
        const bool seen = std::find(m_entries.begin(), m_entries.end(), path) != m_entries.end();
        if (!path.empty() && !seen && m_entries.size() < MAX_ENTRIES)
            m_entries.push_back(path);
    }
}

void AppSettings::Load() {
    m_recentFiles.Assign({});
    m_unreadable.clear();
    std::string text;
    const std::string path = SettingsPath();
    if (path.empty())
        return;
    if (!ReadSmallRegularFile(path, MAX_SETTINGS_BYTES, text)) {
        m_unreadable = UnreadableBecause(path);
        return;
    }
    const std::map<std::string, std::string> stored = PrefsGroupEntries(text, RECENT_FILE_GROUP);
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < RecentFileList::MAX_ENTRIES; ++i) {
        const auto entry = stored.find(RecentFileKey(i));
        entries.push_back(entry != stored.end() ? entry->second : "");
    }
    m_recentFiles.Assign(entries);
}

std::string AppSettings::Save() const {
    const std::string path = SettingsPath();
    if (path.empty())
        return "";
    const std::string unreadable = m_unreadable.empty() ? UnreadableBecause(path) : m_unreadable;
    if (!unreadable.empty())
        return NotSaved(path, unreadable);
    std::vector<std::pair<std::string, std::string>> entries;
    const std::vector<std::string>& paths = m_recentFiles.Entries();
    for (std::size_t i = 0; i < paths.size(); ++i)
        entries.emplace_back(RecentFileKey(i), paths[i]);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    const std::string problem =
        ReplaceFileContents(path, PrefsText(VENDOR, APPLICATION, RECENT_FILE_GROUP, entries));
    return problem.empty() ? "" : NotSaved(path, problem);
}
