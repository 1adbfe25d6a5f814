#pragma once

#include <string>

class ViewHost;

// Shows the about box over the demo view: the view's frame timer stops while
// the box is open, so no frame is rendered behind it, and restarts at its
// usual period once the box is closed, however it was closed.
void ShowAboutBoxOverView(ViewHost& host, const std::string& text);
