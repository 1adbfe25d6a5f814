#include "app/app_settings.h"

#include <FL/Fl_Preferences.H>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr const char* RECENT_FILE_GROUP = "Recent File List";

std::string RecentFileKey(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

Fl_Preferences UserSettings() {
    return Fl_Preferences(Fl_Preferences::USER, AppSettings::VENDOR, AppSettings::APPLICATION);
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
    Fl_Preferences settings = UserSettings();
    m_recentFiles.Assign({});
    // Opening a missing group would create it and write the settings file.
    if (!settings.groupExists(RECENT_FILE_GROUP))
        return;
    Fl_Preferences group(settings, RECENT_FILE_GROUP);
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < RecentFileList::MAX_ENTRIES; ++i) {
        char* value = nullptr;
        group.get(RecentFileKey(i).c_str(), value, "");
        entries.emplace_back(value != nullptr ? value : "");
        std::free(value);
    }
    m_recentFiles.Assign(entries);
}

void AppSettings::Save() const {
    Fl_Preferences settings = UserSettings();
    Fl_Preferences group(settings, RECENT_FILE_GROUP);
    group.deleteAllEntries();
    const std::vector<std::string>& entries = m_recentFiles.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i)
        group.set(RecentFileKey(i).c_str(), entries[i].c_str());
    settings.flush();
}
