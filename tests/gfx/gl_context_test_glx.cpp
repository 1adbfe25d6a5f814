#include "tests/gfx/gl_context_test_glx.h"

#include <FL/x.H>
#include <GL/glx.h>

void* CurrentGlxContext() {
    return glXGetCurrentContext();
}

unsigned long CurrentGlxDrawable() {
    return glXGetCurrentDrawable();
}

unsigned long WindowDrawable(const Fl_Window& window) {
    return fl_xid(&window);
}

void ReleaseCurrentContext(_XDisplay* display) {
    glXMakeCurrent(display, None, nullptr);
}
