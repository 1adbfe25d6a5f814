#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/text_box.h"

// One line of the keys-and-mouse help: the key or mouse action, and what it
// does. A line without an action is a heading across both columns.
struct KeyHelp {
    const char* keys;
    const char* action;
};

// Every key and mouse action of the window, in the order the panel lists them.
const std::vector<KeyHelp>& KeysAndMouse();

// The help panel laid out in a window of the given size: its box and lines.
struct HelpPanelLayout {
    TextBox box;
    std::vector<TextBoxLine> lines;
};

// Lays the lines out in two columns on a box centred across the window, from
// below the mode line, frame rate and readout down to above the placement
// line at the bottom. When the window is too short for all of them, the lines
// that fit are shown and the last of them says there is more; the box never
// reaches outside the window's height. textWidth gives a text's width in
// pixels, lineHeight the distance from a line's top to the next line's.
HelpPanelLayout LayOutHelpPanel(const std::vector<KeyHelp>& help, int windowWidth, int windowHeight,
                                int lineHeight,
                                const std::function<int(const std::string&)>& textWidth);
