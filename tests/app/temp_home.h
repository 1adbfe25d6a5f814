#pragma once

#include <gtest/gtest.h>

#include <string>

// Points HOME at a fresh temporary directory for the test, so that the user
// settings go there, and removes it afterwards.
class TempHome : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    const std::string& Home() const { return m_home; }
    // Where the user settings of the program are stored under HOME.
    std::string SettingsFile() const;

  private:
    std::string m_home;
    std::string m_savedHome;
    bool m_hadHome = false;
};
