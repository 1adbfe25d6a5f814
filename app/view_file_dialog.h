#pragma once

#include <string>

// Asks for the name of a view file in a small modal window captioned title:
// the folder's `.kvxview` files (and its subfolders) listed to pick from, and
// a field to type or edit the name in; Enter or OK takes the name, Escape,
// Cancel or the close box give "". Built from FLTK's widgets rather than its
// file chooser, which reads and writes FLTK's own settings in
// ~/.fltk/fltk.org with a reader that crashes on a damaged file and waits
// forever on a FIFO.
std::string AskViewFileName(const char* title, const std::string& folder);
