#pragma once

#include <optional>
#include <string>
#include <vector>

// One glyph of the HUD's bitmap font, laid out as glBitmap takes it: rows from the bottom up,
// each padded to whole bytes, the leftmost pixel in the most significant bit.
struct GlyphBitmap {
    bool present = false;  // the font has a glyph for this character code
    int width = 0;
    int height = 0;
    float xorig = 0.0f;  // pen position relative to the bitmap's lower-left corner
    float yorig = 0.0f;
    float advance = 0.0f;  // pen movement after the glyph, in whole pixels
    std::vector<unsigned char> rows;
};

struct FontGlyphs {
    std::vector<GlyphBitmap> glyphs;  // one per character code, from 0
    bool complete = false;            // no glyph of the font failed to render
};

// Renders character codes 0 to count - 1, read as Windows-1252 (the ANSI character set), in
// monochrome without anti-aliasing. The font is the one fontconfig picks for the face name and
// weight (OpenType scale: 700 is bold); cellHeight is its ascent plus descent in pixels, the
// meaning of a positive height in a Windows logical font. Codes the font has no glyph for stay
// empty (no bitmap, no advance). Nothing is returned when no font file can be found or opened.
std::optional<FontGlyphs> RasterizeFontGlyphs(const std::string& face, int weight, int cellHeight,
                                              int count);
