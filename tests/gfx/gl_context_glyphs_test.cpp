#include "gfx/gl_context_glyphs.h"

#include <gtest/gtest.h>

#include <bitset>

namespace {

constexpr int BOLD = 700;
constexpr int REGULAR = 400;
constexpr int CELL_HEIGHT = 12;
constexpr int CODES = 255;

int SetBits(const GlyphBitmap& glyph) {
    int bits = 0;
    for (unsigned char byte : glyph.rows) {
        bits += static_cast<int>(std::bitset<8>(byte).count());
    }
    return bits;
}

// Set pixels of one bitmap row, counted from the bottom.
int SetBitsInRow(const GlyphBitmap& glyph, int row) {
    const int rowBytes = (glyph.width + 7) / 8;
    int bits = 0;
    for (int i = 0; i < rowBytes; ++i) {
        bits += static_cast<int>(std::bitset<8>(glyph.rows[row * rowBytes + i]).count());
    }
    return bits;
}

class HudFontGlyphs : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_bold = RasterizeFontGlyphs("Arial", BOLD, CELL_HEIGHT, CODES);
    }
    static const GlyphBitmap& Glyph(int code) { return s_bold->glyphs.at(code); }

    static std::optional<FontGlyphs> s_bold;
};

std::optional<FontGlyphs> HudFontGlyphs::s_bold;

TEST_F(HudFontGlyphs, RendersEveryCodeOfTheBlock) {
    ASSERT_TRUE(s_bold.has_value());
    EXPECT_EQ(s_bold->glyphs.size(), static_cast<std::size_t>(CODES));
    EXPECT_TRUE(s_bold->complete);
    const GlyphBitmap& a = Glyph('A');
    EXPECT_TRUE(a.present);
    EXPECT_GT(SetBits(a), 0);
    EXPECT_EQ(a.rows.size(), static_cast<std::size_t>((a.width + 7) / 8 * a.height));
}

TEST_F(HudFontGlyphs, ReadsCodesAsWindows1252) {
    ASSERT_TRUE(s_bold.has_value());
    for (int control = 0; control < 32; ++control) {
        EXPECT_FALSE(Glyph(control).present) << control;
    }
    EXPECT_TRUE(Glyph(0x80).present);   // euro sign
    EXPECT_FALSE(Glyph(0x81).present);  // undefined in the code page
    EXPECT_TRUE(Glyph(0x99).present);   // trade mark sign
    EXPECT_TRUE(Glyph(0xE9).present);   // e acute
}

TEST_F(HudFontGlyphs, SpaceOnlyAdvances) {
    ASSERT_TRUE(s_bold.has_value());
    EXPECT_TRUE(Glyph(' ').present);
    EXPECT_GT(Glyph(' ').advance, 0.0f);
    EXPECT_EQ(SetBits(Glyph(' ')), 0);
}

TEST_F(HudFontGlyphs, RowsRunBottomUpFromTheBaseline) {
    ASSERT_TRUE(s_bold.has_value());
    // T: the bar on top is wider than the stem at the bottom, and it stands on the baseline.
    const GlyphBitmap& t = Glyph('T');
    ASSERT_GE(t.height, 2);
    EXPECT_GT(SetBitsInRow(t, t.height - 1), SetBitsInRow(t, 0));
    EXPECT_EQ(t.yorig, 0.0f);
    // g reaches below the baseline.
    EXPECT_GT(Glyph('g').yorig, 0.0f);
}

TEST_F(HudFontGlyphs, HeightIsTheCellNotTheEm) {
    ASSERT_TRUE(s_bold.has_value());
    // A 12-pixel cell (ascent plus descent) is an em of about 11 pixels, whose capitals are
    // 8 pixels tall; a 12-pixel em would give 9.
    EXPECT_EQ(Glyph('H').height, 8);
}

TEST_F(HudFontGlyphs, WeightSelectsTheBoldFace) {
    ASSERT_TRUE(s_bold.has_value());
    const std::optional<FontGlyphs> regular =
        RasterizeFontGlyphs("Arial", REGULAR, CELL_HEIGHT, CODES);
    ASSERT_TRUE(regular.has_value());
    EXPECT_GT(SetBits(Glyph('H')), SetBits(regular->glyphs['H']));
}

TEST(RasterizeFontGlyphs, RejectsAnEmptyCell) {
    EXPECT_FALSE(RasterizeFontGlyphs("Arial", BOLD, 0, CODES).has_value());
}

}  // namespace
