#include "app/main_frame.h"

CMainFrame::CMainFrame(const RunOptions& options)
    : Fl_Double_Window(options.width, options.height, "KVX Demo"),
      m_viewWindow(0, 0, options.width, options.height, options) {
    end();
    resizable(m_viewWindow);
}
