#pragma once

#include <memory>

#include "app/app_settings.h"
#include "app/command_line.h"
#include "app/kvx_demo_doc.h"

class CMainFrame;

// The application: reads the command line, opens the main window with the
// demo view, runs the event loop and returns the exit code.
class CKVX_DemoApp {
  public:
    CKVX_DemoApp();
    ~CKVX_DemoApp();

    int Run(int argc, char** argv);

    // The about box; the frame timer stops while it is open.
    void ShowAboutBox();

  private:
    bool ReadStartUpView();
    bool InitInstance();
    void UseDataFolder();
    void OnDocumentCommand(char key);

    RunOptions m_options;
    AppSettings m_settings;
    CKVX_DemoDoc m_document;
    std::unique_ptr<CMainFrame> m_pMainFrame;
};
