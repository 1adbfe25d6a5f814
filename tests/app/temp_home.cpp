#include "tests/app/temp_home.h"

#include <cstdlib>
#include <filesystem>

void TempHome::SetUp() {
    char pattern[] = "/tmp/kvx_home_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_home = pattern;
    const char* home = std::getenv("HOME");
    m_hadHome = home != nullptr;
    m_savedHome = m_hadHome ? home : "";
    setenv("HOME", m_home.c_str(), 1);
}

void TempHome::TearDown() {
    if (m_hadHome)
        setenv("HOME", m_savedHome.c_str(), 1);
    else
        unsetenv("HOME");
    std::error_code ignored;
    std::filesystem::remove_all(m_home, ignored);
}

std::string TempHome::SettingsFile() const {
    return m_home + "/.fltk/Ostrel - KVX Demo/KVX_Demo.prefs";
}
