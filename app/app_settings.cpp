#include "app/app_settings.h"

#include <algorithm>
#include <cstdlib>
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
    std::string text;
    const std::string path = SettingsPath();
    if (path.empty() || !ReadSmallRegularFile(path, MAX_SETTINGS_BYTES, text))
        return;
    const std::map<std::string, std::string> stored = PrefsGroupEntries(text, RECENT_FILE_GROUP);
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < RecentFileList::MAX_ENTRIES; ++i) {
        const auto entry = stored.find(RecentFileKey(i));
        entries.push_back(entry != stored.end() ? entry->second : "");
    }
    m_recentFiles.Assign(entries);
}

void AppSettings::Save() const {
    const std::string path = SettingsPath();
    if (path.empty())
        return;
    std::vector<std::pair<std::string, std::string>> entries;
    const std::vector<std::string>& paths = m_recentFiles.Entries();
    for (std::size_t i = 0; i < paths.size(); ++i)
        entries.emplace_back(RecentFileKey(i), paths[i]);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    ReplaceFileContents(path, PrefsText(VENDOR, APPLICATION, RECENT_FILE_GROUP, entries));
}
