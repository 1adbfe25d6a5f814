#include "app/view_input.h"

#include <FL/Fl.H>

#include "view/input_message.h"
#include "view/kvx_demo_view.h"

unsigned InputFlags(int eventState) {
    unsigned flags = 0;
    if (eventState & FL_BUTTON1)
        flags |= MK_LBUTTON;
    if (eventState & FL_BUTTON2)
        flags |= MK_MBUTTON;
    if (eventState & FL_BUTTON3)
        flags |= MK_RBUTTON;
    if (eventState & FL_SHIFT)
        flags |= MK_SHIFT;
    if (eventState & FL_CTRL)
        flags |= MK_CONTROL;
    return flags;
}

int DispatchInputEvent(CKVX_DemoView& view, int event) {
    const unsigned flags = InputFlags(Fl::event_state());
    const int x = Fl::event_x();
    const int y = Fl::event_y();
    switch (event) {
        case FL_MOVE:
        case FL_DRAG:
            view.OnInputMessage(INPUT_MOUSEMOVE, flags, x, y);
            return 1;
        case FL_PUSH:
            // Only the left button starts a drag; every press takes the focus.
            if (Fl::event_button() == FL_LEFT_MOUSE) {
                view.OnInputMessage(INPUT_LBUTTONDOWN, flags, x, y);
            }
            return 1;
        case FL_MOUSEWHEEL:
            // A notch away from the user brings the camera nearer.
            view.OnInputMessage(INPUT_MOUSEWHEEL, flags, x, y);
            view.ApplyMouseWheel(Fl::event_dy());
            return 1;
        case FL_KEYDOWN:
            view.OnInputMessage(INPUT_KEYDOWN, flags, x, y);
            return 0;  // keys stay available as menu shortcuts
        case FL_KEYUP:
            view.OnInputMessage(INPUT_KEYUP, flags, x, y);
            return 0;
        case FL_ENTER:
        case FL_LEAVE:
        case FL_RELEASE:
        case FL_FOCUS:
        case FL_UNFOCUS:
            return 1;
        default:
            return 0;
    }
}
