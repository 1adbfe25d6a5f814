#include "app/exit_signals.h"
#include "app/kvx_demo_app.h"
#include "platform/heap_reuse.h"

int main(int argc, char** argv) {
    KeepFreedMemoryForReuse();
    InstallExitSignalHandlers();
    CKVX_DemoApp app;
    return app.Run(argc, argv);
}
