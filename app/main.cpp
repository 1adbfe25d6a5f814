#include "app/kvx_demo_app.h"
#include "platform/heap_reuse.h"

int main(int argc, char** argv) {
    KeepFreedMemoryForReuse();
    CKVX_DemoApp app;
    return app.Run(argc, argv);
}
