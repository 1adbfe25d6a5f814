#pragma once

// Opens the X display connection that FLTK will use, once. FLTK itself ends
// the process when it cannot open its display, so the connection is opened
// here first and handed to FLTK only when it succeeds. It stays open: an X
// server resets when its last client leaves and refuses connections meanwhile.
// A refused connection is tried again a few times before giving up.
// Returns whether a display is available.
bool OpenDisplayConnection();
