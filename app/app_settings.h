#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The documents opened last, most recent first, at most four. Opening a file
// already in the list moves it to the top; a fifth file pushes the oldest out.
class RecentFileList {
  public:
    static constexpr std::size_t MAX_ENTRIES = 4;

    // Puts path at the top; an empty path is ignored.
    void Add(const std::string& path);
    // Replaces the list with entries in their order, skipping empty and
    // repeated paths and keeping at most MAX_ENTRIES.
    void Assign(const std::vector<std::string>& entries);
    const std::vector<std::string>& Entries() const { return m_entries; }

  private:
    std::vector<std::string> m_entries;
};

// The settings kept for the user between runs, under vendor "Ostrel - KVX
// Demo" and application "KVX_Demo" (on disk under $HOME/.fltk): the recent-file
// list as the group "Recent File List" with the keys "File1" to "File4".
class AppSettings {
  public:
    static constexpr const char* VENDOR = "Ostrel - KVX Demo";
    static constexpr const char* APPLICATION = "KVX_Demo";

    // Reads the stored list; a missing group or key leaves the list empty.
    void Load();
    // Writes the list to disk, replacing what was stored before.
    void Save() const;

    RecentFileList& RecentFiles() { return m_recentFiles; }
    const RecentFileList& RecentFiles() const { return m_recentFiles; }

  private:
    RecentFileList m_recentFiles;
};
