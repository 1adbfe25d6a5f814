#pragma once

#include <X11/Xlib.h>

// Catches the X protocol errors raised while it lives, instead of letting Xlib's
// default handler end the process, so that a failed GLX request can be reported
// as a plain failure. X error handlers are process-wide: use it on one thread.
class XErrorTrap {
  public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the server to process every request sent so far; true when any
    // request since the trap was set failed.
    bool Failed();

  private:
    Display* m_display;
    XErrorHandler m_previousHandler;
    bool m_previousFailed;
};
