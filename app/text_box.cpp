#include "app/text_box.h"

#include <algorithm>

#include "gfx/gl_context.h"
#include "platform/nv_program_layer.h"

namespace {

constexpr GLfloat BOX_GREY = 0.12f;

// Text in the current colour, drawn straight into the window while this
// lives: the scene's programs, depth test and textures off and only the part
// of the window inside the scissor rectangle written; as before afterwards.
class PlainText {
  public:
    PlainText(int x, int y, int width, int height) {
        glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &m_activeTexture);
        glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT | GL_CURRENT_BIT);
        glDisable(NV_VERTEX_PROGRAM_TARGET);
        glDisable(NV_FRAGMENT_PROGRAM_TARGET);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        for (GLenum unit : {GL_TEXTURE1_ARB, GL_TEXTURE0_ARB}) {
            glActiveTextureARB(unit);
            glDisable(GL_TEXTURE_2D);
            glDisable(GL_TEXTURE_RECTANGLE_NV);
        }
        glEnable(GL_SCISSOR_TEST);
        glScissor(x, y, width, height);
    }
    ~PlainText() {
        glPopAttrib();
        glActiveTextureARB(static_cast<GLenum>(m_activeTexture));
    }
    PlainText(const PlainText&) = delete;
    PlainText& operator=(const PlainText&) = delete;

  private:
    GLint m_activeTexture = GL_TEXTURE0_ARB;
};

}  // namespace

WindowRect TextBoxInWindow(const TextBox& box, int windowWidth, int windowHeight) {
    const int left = std::max(0, box.left);
    const int top = std::max(0, box.top);
    const int right = std::min(windowWidth, box.left + box.width);
    const int bottom = std::min(windowHeight, box.top + box.height);
    if (right <= left || bottom <= top)
        return {};
    return {left, windowHeight - bottom, right - left, bottom - top};
}

void DrawTextBox(GLContext& context, const TextBox& box, const std::vector<TextBoxLine>& lines) {
    const WindowRect inside = TextBoxInWindow(box, context.m_iWidth, context.m_iHeight);
    if (inside.width <= 0)
        return;
    const PlainText plain(inside.x, inside.y, inside.width, inside.height);
    glClearColor(BOX_GREY, BOX_GREY, BOX_GREY, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);
    for (const TextBoxLine& line : lines)
        context.Print(box.left + line.x, box.top + line.y, "%s", line.text.c_str());
}
