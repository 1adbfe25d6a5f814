#include "app/exit_signals.h"
#include "app/kvx_demo_app.h"

int main(int argc, char** argv) {
    InstallExitSignalHandlers();
    CKVX_DemoApp app;
    return app.Run(argc, argv);
}
