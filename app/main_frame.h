#pragma once

#include <FL/Fl_Double_Window.H>

#include "app/demo_gl_window.h"

// The main window: the caption "KVX Demo" and the demo view filling it.
class CMainFrame : public Fl_Double_Window {
  public:
    explicit CMainFrame(const RunOptions& options);

    DemoGlWindow& ViewWindow() { return m_viewWindow; }

  private:
    DemoGlWindow m_viewWindow;
};
