#include "gfx/gl_context_glyphs.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

struct FontFile {
    std::string path;
    int index = 0;
};

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
using LibraryPtr = std::unique_ptr<FT_LibraryRec_, LibraryDeleter>;

struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using FacePtr = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

// Unicode code points of the Windows-1252 codes 0x80 to 0x9F; the five codes the code page
// leaves undefined keep their own value, a control character without a glyph.
constexpr char32_t CP1252_80_TO_9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t AnsiToUnicode(int code) {
    return code >= 0x80 && code < 0xA0 ? CP1252_80_TO_9F[code - 0x80] : static_cast<char32_t>(code);
}

std::optional<FontFile> FindFontFile(const std::string& face, int weight) {
    PatternPtr pattern(FcPatternCreate());
    if (!pattern) {
        return std::nullopt;
    }
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* path = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &path) != FcResultMatch) {
        return std::nullopt;
    }
    FontFile file{reinterpret_cast<const char*>(path), 0};
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &file.index);
    return file;
}

// Copies FreeType's top-down monochrome rows into glBitmap's bottom-up order.
std::vector<unsigned char> BottomUpRows(const FT_Bitmap& bitmap) {
    const int rowBytes = (static_cast<int>(bitmap.width) + 7) / 8;
    const int rows = static_cast<int>(bitmap.rows);
    const unsigned char* top =
        bitmap.pitch >= 0 ? bitmap.buffer : bitmap.buffer - bitmap.pitch * (rows - 1);
    std::vector<unsigned char> out(static_cast<std::size_t>(rowBytes * rows));
    for (int row = 0; row < rows; ++row) {
        const unsigned char* source = top + bitmap.pitch * row;
        std::copy(source, source + rowBytes, out.begin() + rowBytes * (rows - 1 - row));
    }
    return out;
}

// Renders one glyph; false when the font has it but FreeType cannot render it monochrome.
bool RenderGlyph(FT_Face face, char32_t character, GlyphBitmap& glyph) {
    const FT_UInt index = FT_Get_Char_Index(face, character);
    if (index == 0) {
        return true;
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) {
        return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    if (slot->bitmap.rows > 0 && slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
        return false;
    }
    glyph.present = true;
    glyph.width = static_cast<int>(slot->bitmap.width);
    glyph.height = static_cast<int>(slot->bitmap.rows);
    glyph.xorig = static_cast<float>(-slot->bitmap_left);
    glyph.yorig = static_cast<float>(glyph.height - slot->bitmap_top);
    glyph.advance = std::round(static_cast<float>(slot->advance.x) / 64.0f);
    glyph.rows = BottomUpRows(slot->bitmap);
    return true;
}

bool SetCellHeight(FT_Face face, int cellHeight) {
    FT_Size_RequestRec request{};
    request.type = FT_SIZE_REQUEST_TYPE_REAL_DIM;
    request.height = static_cast<FT_Long>(cellHeight) * 64;
    return FT_Request_Size(face, &request) == 0;
}

}  // namespace

std::optional<FontGlyphs> RasterizeFontGlyphs(const std::string& face, int weight, int cellHeight,
                                              int count) {
    const std::optional<FontFile> file = FindFontFile(face, weight);
    FT_Library rawLibrary = nullptr;
    if (!file || cellHeight <= 0 || count < 0 || FT_Init_FreeType(&rawLibrary) != 0) {
        return std::nullopt;
    }
    const LibraryPtr library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), file->path.c_str(), file->index, &rawFace) != 0) {
        return std::nullopt;
    }
    const FacePtr fontFace(rawFace);
    if (!SetCellHeight(fontFace.get(), cellHeight)) {
        return std::nullopt;
    }
    FontGlyphs font;
    font.glyphs.resize(static_cast<std::size_t>(count));
    font.complete = true;
    for (int code = 0; code < count; ++code) {
        font.complete &= RenderGlyph(fontFace.get(), AnsiToUnicode(code), font.glyphs[code]);
    }
    return font;
}
