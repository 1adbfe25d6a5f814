#include "app/exit_signals.h"
#include "app/kvx_demo_app.h"
#include "platform/heap_reuse.h"
#include "platform/standard_streams.h"

int main(int argc, char** argv) {
    OpenMissingStandardStreams();
    KeepFreedMemoryForReuse();
    InstallExitSignalHandlers();
    CKVX_DemoApp app;
    return StatusAfterStandardOutput("kvx-demo", app.Run(argc, argv));
}
