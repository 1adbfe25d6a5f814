#include "app/kvx_demo_app.h"

#include <FL/Fl.H>

#include <cstdio>

#include "app/command_line.h"
#include "app/main_frame.h"
#include "platform/display_connection.h"
#include "platform/message_box.h"

namespace {

constexpr int USAGE_ERROR = 2;
constexpr int START_UP_FAILED = 1;

}  // namespace

int CKVX_DemoApp::Run(int argc, char** argv) {
    RunOptions options;
    std::string error;
    if (!ParseRunOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "kvx-demo: %s\nTry 'kvx-demo --help'.\n", error.c_str());
        return USAGE_ERROR;
    }
    if (options.help) {
        std::fputs(RUN_USAGE, stdout);
        return 0;
    }
    const bool display = OpenDisplayConnection();
    SetMessageBoxBatchMode(options.batch || !display);
    if (!display) {
        ShowMessageBox("Error setting up OpenGL.");
        return START_UP_FAILED;
    }

    CMainFrame frame(options);
    frame.show();
    DemoGlWindow& view = frame.ViewWindow();
    if (!view.CreateView()) {
        return view.ExitCode() != 0 ? view.ExitCode() : START_UP_FAILED;
    }
    Fl::run();
    return view.ExitCode();
}
