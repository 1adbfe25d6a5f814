#pragma once

// The mouse and key messages the view's input handler takes, and the state
// flags that come with a mouse move (which buttons and keys are down).
enum InputMessage {
    INPUT_MOUSEMOVE,
    INPUT_LBUTTONDOWN,
    INPUT_MOUSEWHEEL,
    INPUT_KEYDOWN,
    INPUT_KEYUP,
};

enum InputFlag : unsigned {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};
