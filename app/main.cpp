#include "app/kvx_demo_app.h"

int main(int argc, char** argv) {
    CKVX_DemoApp app;
    return app.Run(argc, argv);
}
