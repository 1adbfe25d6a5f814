#pragma once

#include <string>
#include <vector>

#include "app/live_view_keys.h"

class GLContext;

// A rectangle of the window in pixels, its top-left corner counted from the
// window's top-left, y downwards.
struct TextBox {
    int left = 0, top = 0, width = 0, height = 0;
};

// The part of the box inside a window of the given size, in OpenGL's window
// coordinates (from the bottom left); empty when none of it is inside.
WindowRect TextBoxInWindow(const TextBox& box, int windowWidth, int windowHeight);

// One line of text, its top-left corner counted from the box's.
struct TextBoxLine {
    int x = 0, y = 0;
    std::string text;
};

// Fills the box with a dark grey and prints the lines in white over it, all
// clipped to the box and the window: a box partly or wholly outside the
// window draws only what is inside, without an OpenGL error. The frame's
// OpenGL state is as it was afterwards.
void DrawTextBox(GLContext& context, const TextBox& box, const std::vector<TextBoxLine>& lines);
