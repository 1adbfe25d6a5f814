#include "app/live_map_inset.h"

#include <string>

#include "gfx/glsl_program.h"
#include "measure/density_shaders.h"
#include "measure/map_picture_shaders.h"

namespace {

// The texture units the shaders read.
constexpr GLint DEPTH_UNIT = 1;
constexpr GLint RANGE_UNIT = 2;

void SetInt(GLuint program, const char* name, GLint value) {
    glUniform1i(glGetUniformLocation(program, name), value);
}

}  // namespace

LiveMapInset::~LiveMapInset() {
    for (GLuint program : {m_uRangeProgram, m_uPictureProgram, m_uOutlineProgram}) {
        if (program != 0)
            glDeleteProgram(program);
    }
    if (m_uRangeFramebuffer != 0)
        glDeleteFramebuffers(1, &m_uRangeFramebuffer);
    if (m_uRange != 0)
        glDeleteTextures(1, &m_uRange);
}

bool LiveMapInset::Draw(GLuint depthTexture, const Place& place,
                        const std::vector<MapOutline>& outlines) {
    if (m_bFailed || (m_uPictureProgram == 0 && !Create())) {
        m_bFailed = true;
        return false;
    }
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_VIEWPORT_BIT | GL_SCISSOR_BIT |
                 GL_LINE_BIT | GL_TEXTURE_BIT);
    glDisable(GL_DEPTH_TEST);
    glActiveTexture(GL_TEXTURE0 + DEPTH_UNIT);
    glBindTexture(GL_TEXTURE_RECTANGLE, depthTexture);
    // Depths are read as they are, not compared.
    glTexParameteri(GL_TEXTURE_RECTANGLE, GL_TEXTURE_COMPARE_MODE, GL_NONE);
    glActiveTexture(GL_TEXTURE0 + RANGE_UNIT);
    glBindTexture(GL_TEXTURE_2D, m_uRange);
    FindRange(place);
    DrawPicture(place);
    DrawOutlines(place, outlines);
    glUseProgram(0);
    glActiveTexture(GL_TEXTURE0 + DEPTH_UNIT);
    glTexParameteri(GL_TEXTURE_RECTANGLE, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_R_TO_TEXTURE);
    glPopAttrib();
    glActiveTexture(GL_TEXTURE0);
    return true;
}

bool LiveMapInset::Create() {
    if (!GLEW_ARB_framebuffer_object || !GLEW_ARB_texture_float)
        return false;
    std::string error;
    m_uRangeProgram =
        LinkGlslProgram(g_strDepthRangeVertexShader, g_strDepthRangeFragmentShader, error);
    m_uPictureProgram = LinkGlslProgram(g_strWindowRectangleShader, DepthPictureShader(), error);
    m_uOutlineProgram = LinkGlslProgram(g_strWindowRectangleShader, g_strPlainColourShader, error);
    if (m_uRangeProgram == 0 || m_uPictureProgram == 0 || m_uOutlineProgram == 0)
        return false;
    glGenTextures(1, &m_uRange);
    glBindTexture(GL_TEXTURE_2D, m_uRange);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RG32F, 1, 1, 0, GL_RG, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glGenFramebuffers(1, &m_uRangeFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_uRangeFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_uRange, 0);
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return complete;
}

// One point for each pixel of the picture, blended with GL_MIN into the
// range texture's single texel; points of texels where nothing was drawn
// fall outside it.
void LiveMapInset::FindRange(const Place& place) {
    if (m_iPointsSize != place.size) {
        m_points.clear();
        for (int row = 0; row < place.size; ++row) {
            for (int column = 0; column < place.size; ++column)
                m_points.insert(m_points.end(),
                                {static_cast<float>(column), static_cast<float>(row)});
        }
        m_iPointsSize = place.size;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, m_uRangeFramebuffer);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glViewport(0, 0, 1, 1);
    glClearColor(1.0f, 0.0f, 0.0f, 0.0f);  // nothing drawn: nearest 1, farthest 0
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendEquation(GL_MIN);
    glBlendFunc(GL_ONE, GL_ONE);
    glUseProgram(m_uRangeProgram);
    SetInt(m_uRangeProgram, "depth", DEPTH_UNIT);
    SetInt(m_uRangeProgram, "step", place.step);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glInterleavedArrays(GL_V2F, 0, m_points.data());
    glDrawArrays(GL_POINTS, 0, place.size * place.size);
    glPopClientAttrib();
    glBlendEquation(GL_FUNC_ADD);
    glDisable(GL_BLEND);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
}

void LiveMapInset::DrawPicture(const Place& place) const {
    glViewport(0, 0, place.windowWidth, place.windowHeight);
    glUseProgram(m_uPictureProgram);
    SetInt(m_uPictureProgram, "depth", DEPTH_UNIT);
    SetInt(m_uPictureProgram, "range", RANGE_UNIT);
    SetInt(m_uPictureProgram, "step", place.step);
    glUniform2i(glGetUniformLocation(m_uPictureProgram, "origin"), place.x, place.y);
    const auto ndc = [](int pixel, int size) { return 2.0f * pixel / size - 1.0f; };
    glRectf(ndc(place.x, place.windowWidth), ndc(place.y, place.windowHeight),
            ndc(place.x + place.size, place.windowWidth),
            ndc(place.y + place.size, place.windowHeight));
}

// In map coordinates, which the viewport on the picture turns into its pixels.
void LiveMapInset::DrawOutlines(const Place& place, const std::vector<MapOutline>& outlines) const {
    glViewport(place.x, place.y, place.size, place.size);
    glEnable(GL_SCISSOR_TEST);
    glScissor(place.x, place.y, place.size, place.size);
    glUseProgram(m_uOutlineProgram);
    const GLint colour = glGetUniformLocation(m_uOutlineProgram, "colour");
    for (const MapOutline& outline : outlines) {
        glUniform3f(colour, outline.colour.r / 255.0f, outline.colour.g / 255.0f,
                    outline.colour.b / 255.0f);
        glLineWidth(static_cast<float>(outline.thickness));
        glBegin(GL_LINE_LOOP);
        for (const Point2D& p : outline.points)
            glVertex2f(p[0], p[1]);
        glEnd();
    }
}
