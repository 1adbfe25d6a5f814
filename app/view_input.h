#pragma once

class CKVX_DemoView;

// Passes the current FLTK event to the view's input handler when it is one
// the view takes (mouse moves and drags, left button presses, the wheel,
// keys). Returns what the GL window's handle() should return.
int DispatchInputEvent(CKVX_DemoView& view, int event);

// The view's button and key flags for FLTK's event state.
unsigned InputFlags(int eventState);
