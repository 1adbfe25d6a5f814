#pragma once

// GLX queries for the context tests, kept apart because X11's macros (None, Bool, Status)
// collide with GoogleTest's names.

class Fl_Window;
struct _XDisplay;

void* CurrentGlxContext();
unsigned long CurrentGlxDrawable();
unsigned long WindowDrawable(const Fl_Window& window);
// Leaves no context current on display.
void ReleaseCurrentContext(_XDisplay* display);
