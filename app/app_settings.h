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

// The settings kept for the user between runs, where and as FLTK keeps the
// preferences of vendor "Ostrel - KVX Demo" and application "KVX_Demo" (on
// disk under $HOME/.fltk): the recent-file list as the group "Recent File
// List" with the keys "File1" to "File4". The file is read and written here
// rather than by FLTK's preferences, whose reader crashes on a damaged file and
// waits on a FIFO, and whose writer truncates the file in place.
class AppSettings {
  public:
    static constexpr const char* VENDOR = "Ostrel - KVX Demo";
    static constexpr const char* APPLICATION = "KVX_Demo";

    // Reads the stored list without writing anything; a missing, damaged or
    // odd file (not a regular file, larger than settings can be) and a missing
    // group or key leave the list empty or shorter.
    void Load();
    // Writes the list to disk, replacing what was stored before as a whole:
    // another program reading or saving meanwhile sees the old list or the new.
    // A stored file that exists but could not be read, when loading or now, is
    // left as it is: replacing it would lose a list no one has seen; so is
    // anything but a regular file, even behind a link. Returns "" when the list
    // was saved or there is no home to save it in, else the line that says why
    // it was not: "Settings error: <file>: <why>; the recent-file list was not
    // saved."
    std::string Save() const;

    RecentFileList& RecentFiles() { return m_recentFiles; }
    const RecentFileList& RecentFiles() const { return m_recentFiles; }

  private:
    RecentFileList m_recentFiles;
    // Why the stored file could not be read at the last Load, or "".
    std::string m_unreadable;
};
