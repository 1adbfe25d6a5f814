#pragma once

#include <cstdlib>
#include <string>

#include "tests/app/temp_home.h"
#include "tests/support/x_window.h"

// A test of the real program's window as a user sees it, through the X
// server, with the user settings in a fresh HOME; skipped without a display.
class ShownWindowTest : public TempHome {
  protected:
    void SetUp() override {
        TempHome::SetUp();
        if (std::getenv("DISPLAY") == nullptr)
            GTEST_SKIP() << "no X display";
        m_display = XOpenDisplay(nullptr);
        ASSERT_NE(m_display, nullptr);
        // A window the program closes between a search and a look at it is
        // no reason to end the test.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    }
    void TearDown() override {
        if (m_display != nullptr)
            XCloseDisplay(m_display);
        TempHome::TearDown();
    }

    Picture Shot() { return Capture(m_display, m_window); }

    Display* m_display = nullptr;
    Window m_window = 0;
};
