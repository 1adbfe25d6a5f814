#pragma once

#include <GL/glew.h>

#include <string>
#include <vector>

class Fl_Gl_Window;
struct _XDisplay;
struct __GLXcontextRec;

// The rendering context of the view's window: a double-buffered GLX context, the HUD's bitmap
// font as display lists, printf-style text lines at pixel positions, and the loaders of NV
// vertex and fragment programs, which end the process when the driver rejects a program.
//
// Code that needs FLTK's Fl_Gl_Window beside this class includes gfx/gl_context_fltk.h.
class GLContext {
  public:
    // The window's X connection and GLX drawable, taken once when the context is created.
    struct DeviceContext {
        _XDisplay* display = nullptr;
        unsigned long drawable = 0;  // a GLXDrawable, which is an X id
    };

    GLContext() = default;

    // Gives the window its pixel format, makes the window's context current and builds the HUD
    // font. The window must be shown. False, with nothing reported, when a context exists
    // already or cannot be set up. The client size is taken from the window; the view's size
    // handling keeps it up to date afterwards.
    bool Create(Fl_Gl_Window* window);
    // Asks for RGB with 8 bits a channel, double buffering, depth and stencil, with an
    // accumulation buffer where the display offers one. A window shown with another mode is
    // shown again with the new one, so this is not to be called from inside its draw().
    bool SetupPixelFormat(Fl_Gl_Window* window);
    // Builds one display list per character code 0 to 254 in a block of 256 lists (the last one
    // stays empty), from the bold face of the font fontconfig picks for face. height is the
    // font's cell height in pixels. The lists exist (and text is drawn) whenever the font could
    // be opened; false when it could not, or when some glyph failed to render.
    bool BuildFont(const char* face, int height);
    // Makes the window's context current again, after another context was; nothing before
    // Create has succeeded.
    void MakeCurrent();
    // Places the raster position for a line of text whose top-left is (x, y) pixels from the
    // client area's top-left corner, y downwards; the baseline lies m_iFontHeight + y + 1
    // pixels below the top edge. Matrices, matrix mode and viewport are left as they were.
    void SetTextPosition(int x, int y);
    // Formats and draws one line of at most 255 characters (longer results are cut) in the
    // current colour. Nothing happens without a font or with a null format.
    void Print(int x, int y, const char* format, ...) __attribute__((format(printf, 4, 5)));
    // How far Print moves the pen over text, in pixels; 0 without a font.
    int TextWidth(const std::string& text) const;
    // Load a program text into a new program id, left bound to its target in the current
    // context. On a load error they show the error position and the offending line in a message
    // box and end the process with exit code -1.
    GLuint LoadVertexProgram(std::string text);
    GLuint LoadFragmentProgram(std::string text);

    int m_iWidth = 0;
    int m_iHeight = 0;
    int m_iFontHeight = 0;
    DeviceContext m_hDC;
    __GLXcontextRec* m_hRC = nullptr;  // a GLXContext
    GLuint m_uFontBase = 0;
    int m_iPixelFormat = 0;  // X visual id of the window, which stands for its pixel format
    bool m_bContextReady = false;
    bool m_bFontReady = false;
    int m_iGlyphCount = 0;

  private:
    void DeleteFont();

    std::vector<float> m_glyphAdvances;  // by character code, while the font exists
};
