#include "gfx/x_error_trap.h"

namespace {

// Set by the handler; the handler has no other way to report to the trap.
bool g_errorSeen = false;

int RecordError(Display*, XErrorEvent*) {
    g_errorSeen = true;
    return 0;
}

}  // namespace

XErrorTrap::XErrorTrap(Display* display) : m_display(display) {
    // Errors of earlier requests still belong to whatever handler was set.
    XSync(m_display, False);
    m_previousFailed = g_errorSeen;
    g_errorSeen = false;
    m_previousHandler = XSetErrorHandler(RecordError);
}

XErrorTrap::~XErrorTrap() {
    XSync(m_display, False);
    XSetErrorHandler(m_previousHandler);
    // An enclosing trap sees only the errors raised outside this one.
    g_errorSeen = m_previousFailed;
}

bool XErrorTrap::Failed() {
    XSync(m_display, False);
    return g_errorSeen;
}
