#pragma once

class Fl_Gl_Window;

// What the demo view needs from the window that hosts it: the GL window its
// context belongs to, a periodic timer, repaint requests, the buffer swap and
// a way to end the application.
class ViewHost {
  public:
    virtual ~ViewHost() = default;

    virtual Fl_Gl_Window* GlWindow() = 0;
    // Starts (or restarts) the periodic timer with the given id; each tick
    // reaches the view's OnTimer.
    virtual void SetTimer(unsigned id, unsigned periodMs) = 0;
    virtual void KillTimer(unsigned id) = 0;
    // Asks for a repaint; the view's OnPaint runs when the window is painted.
    virtual void Invalidate() = 0;
    // Presents the frame just rendered.
    virtual void SwapBuffers() = 0;
    // Ends the application's message loop with the given exit code.
    virtual void PostQuit(int exitCode) = 0;
    // Sets or clears the check mark of an item of the Options or View menu.
    virtual void CheckMenuItem(unsigned commandId, bool checked) = 0;
};
