#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "gfx/gl_context.h"

void GLContext::SetTextPosition(int x, int y) {
    glPushAttrib(GL_TRANSFORM_BIT | GL_VIEWPORT_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // A viewport of zero size whose corner is the wanted raster position: the origin maps onto
    // that corner, in window coordinates counted from the bottom left.
    glViewport(x - 1, m_iHeight - m_iFontHeight - y - 1, 0, 0);
    glRasterPos4f(0.0f, 0.0f, 0.0f, 1.0f);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}

void GLContext::Print(int x, int y, const char* format, ...) {
    if (!m_bFontReady || format == nullptr) {
        return;
    }
    char text[256];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (written < 0) {
        return;
    }
    SetTextPosition(x, y);
    glPushAttrib(GL_LIST_BIT);
    glListBase(m_uFontBase);
    glCallLists(static_cast<GLsizei>(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}
