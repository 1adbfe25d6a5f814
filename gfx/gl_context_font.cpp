#include <cmath>
#include <vector>

#include "gfx/gl_context.h"
#include "gfx/gl_context_glyphs.h"

namespace {

constexpr int GLYPH_BLOCK_SIZE = 256;
constexpr int BOLD_WEIGHT = 700;

// Compiles one list per glyph. glBitmap copies its image when the list is compiled, so the
// pixel store is set to tightly packed, most significant bit first rows only meanwhile.
void CompileGlyphLists(GLuint base, const std::vector<GlyphBitmap>& glyphs) {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
    for (std::size_t code = 0; code < glyphs.size(); ++code) {
        const GlyphBitmap& glyph = glyphs[code];
        glNewList(base + static_cast<GLuint>(code), GL_COMPILE);
        if (glyph.present) {
            glBitmap(glyph.width, glyph.height, glyph.xorig, glyph.yorig, glyph.advance, 0.0f,
                     glyph.rows.empty() ? nullptr : glyph.rows.data());
        }
        glEndList();
    }
    glPopClientAttrib();
}

}  // namespace

bool GLContext::BuildFont(const char* face, int height) {
    DeleteFont();
    m_iGlyphCount = GLYPH_BLOCK_SIZE;
    m_uFontBase = glGenLists(m_iGlyphCount);
    m_iFontHeight = height;
    if (m_uFontBase == 0 || face == nullptr) {
        DeleteFont();
        return false;
    }
    // Codes 0 to 254 get a glyph; the block's last list stays empty.
    const std::optional<FontGlyphs> font =
        RasterizeFontGlyphs(face, BOLD_WEIGHT, height, m_iGlyphCount - 1);
    if (!font) {
        DeleteFont();
        return false;
    }
    CompileGlyphLists(m_uFontBase, font->glyphs);
    for (const GlyphBitmap& glyph : font->glyphs)
        m_glyphAdvances.push_back(glyph.advance);
    m_bFontReady = true;
    return font->complete;
}

void GLContext::DeleteFont() {
    if (m_uFontBase != 0) {
        glDeleteLists(m_uFontBase, m_iGlyphCount);
    }
    m_uFontBase = 0;
    m_bFontReady = false;
    m_glyphAdvances.clear();
}

int GLContext::TextWidth(const std::string& text) const {
    float width = 0.0f;
    for (const char c : text) {
        const std::size_t code = static_cast<unsigned char>(c);
        if (code < m_glyphAdvances.size())
            width += m_glyphAdvances[code];
    }
    return static_cast<int>(std::ceil(width));
}
