#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "gfx/glx_handles.h"

// A small GLX window with a direct context of its own, made current the way a
// window's rendering context is while it draws, with GLEW initialised on it. The
// X and GLX calls the tests need go through here, so that test files stay clear
// of X's macros.
class GlxWindowTest : public ::testing::Test {
  protected:
    // One connection serves the whole suite: a server under load refuses
    // connections now and then, so it is opened once, with retries.
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    void MakeWindowCurrent();
    // Leaves no context current.
    void ReleaseCurrent();
    // True when the window's context is current on the window.
    bool WindowIsCurrent() const;
    // True when context is current with drawable as both draw and read drawable.
    static bool IsCurrent(GLXContext context, GLXDrawable drawable);
    static GLXContext CurrentContext();
    int DrawableWidth(GLXDrawable drawable) const;
    // Makes current, on a second window, a context whose single-buffered config
    // has more colour bits than its visual's depth (RGBA8 on a depth-24 visual).
    // False when the server offers no such config.
    bool MakeMismatchedWindowCurrent();

    Display* m_display = nullptr;
    GLXContext m_context = nullptr;
    GLXDrawable m_window = 0;

  private:
    struct TestWindow {
        XID xWindow = 0;
        XID colormap = 0;
        GLXDrawable glxWindow = 0;
        GLXContext context = nullptr;
    };
    using ConfigFilter = std::function<bool(int bufferSize, int visualDepth)>;

    GLXFBConfig ChooseConfig(bool doubleBuffered, const ConfigFilter& accept) const;
    bool OpenWindow(GLXFBConfig config, TestWindow& window);
    void CloseWindow(TestWindow& window);

    static Display* s_display;
    TestWindow m_main;
    TestWindow m_mismatched;
};
