#pragma once

#include <gtest/gtest.h>

#include "gfx/gl_context_fltk.h"
#include "view/kvx_demo_view.h"

// A shown GL window hosting a real view, for tests that drive the view's
// handlers directly: no timer runs and nothing is presented.
class ViewTestWindow : public Fl_Gl_Window, public ViewHost {
  public:
    ViewTestWindow(int w, int h);

    // Shows the window and runs the view's start-up and first size change.
    bool Start();
    // Renders one frame into the back buffer and reads it back as RGB rows,
    // bottom row first.
    std::vector<unsigned char> RenderAndRead();
    // The back buffer as it is, in the same form.
    std::vector<unsigned char> Read();
    // The depth map of the last frame, row by row from the bottom.
    std::vector<float> ReadDepthMap();

    CKVX_DemoView view;
    int quitCode = 0;
    int invalidations = 0;

    Fl_Gl_Window* GlWindow() override { return this; }
    void SetTimer(unsigned, unsigned) override {}
    void KillTimer(unsigned) override {}
    void Invalidate() override { ++invalidations; }
    void SwapBuffers() override {}
    void PostQuit(int exitCode) override { quitCode = exitCode; }
    void CheckMenuItem(unsigned commandId, bool checked) override {
        checkMarks.push_back({commandId, checked});
    }

    // Every check mark the view set or cleared, in order.
    std::vector<std::pair<unsigned, bool>> checkMarks;

  protected:
    void draw() override {}
};

// A test suite whose tests share one started view window of W x H pixels.
template <int W, int H>
struct SharedViewWindowTest : testing::Test {
    static void SetUpTestSuite() {
        window = new ViewTestWindow(W, H);
        ASSERT_TRUE(window->Start());
    }
    static void TearDownTestSuite() {
        delete window;
        window = nullptr;
    }
    static inline ViewTestWindow* window = nullptr;
};
