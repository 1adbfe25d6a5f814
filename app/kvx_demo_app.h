#pragma once

// The application: reads the command line, opens the main window with the
// demo view, runs the event loop and returns the exit code.
class CKVX_DemoApp {
  public:
    int Run(int argc, char** argv);
};
