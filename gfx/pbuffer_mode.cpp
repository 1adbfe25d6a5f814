// Construction of the depth target's attribute lists from its mode string.

#include <climits>
#include <cstdlib>

#include "gfx/pbuffer_target.h"
#include "gfx/wgl_constants.h"

namespace {

bool BeginsWith(const std::string& token, const char* word) {
    return token.compare(0, std::char_traits<char>::length(word), word) == 0;
}

bool Contains(const std::string& token, const char* word) {
    return token.find(word) != std::string::npos;
}

void AppendPair(std::vector<int>& list, int name, int value) {
    list.push_back(name);
    list.push_back(value);
}

// Tokens separated by one or more spaces.
std::vector<std::string> SplitAtSpaces(const std::string& text) {
    std::vector<std::string> tokens;
    std::size_t start = text.find_first_not_of(' ');
    while (start != std::string::npos) {
        const std::size_t end = text.find(' ', start);
        tokens.push_back(text.substr(start, end - start));
        start = text.find_first_not_of(' ', end);
    }
    return tokens;
}

struct ModeTokens {
    std::vector<std::string> tokens;
    bool floatFlag = false;
    bool atiFloatFlag = false;
    bool textureFlag = false;
};

ModeTokens SplitMode(const char* mode) {
    ModeTokens result;
    for (const std::string& token : SplitAtSpaces(mode)) {
        if (Contains(token, "ati_float")) {
            result.atiFloatFlag = true;
        } else if (Contains(token, "float")) {
            result.floatFlag = true;
        }
        if (Contains(token, "texture")) {
            result.textureFlag = true;
        }
        result.tokens.push_back(token);
    }
    return result;
}

// Rules for the colour component words; false when the token is not one of them
// or the count it would need is already exceeded.
bool CountComponents(const std::string& token, int& components) {
    if (token == "rgb" && components <= 1) {
        components += 3;
    } else if (token == "rgba" && components == 0) {
        components = 4;
    } else if (token == "alpha" && components <= 3) {
        components += 1;
    } else if (token == "r" && components <= 1) {
        components += 1;
    } else if (token == "rg" && components <= 1) {
        components += 2;
    } else {
        return false;
    }
    return true;
}

// Rules for buffer sizes that go straight into the pixel-format list.
bool AppendBufferRule(const std::string& token, std::vector<int>& pixelFormat) {
    if (BeginsWith(token, "depth")) {
        AppendPair(pixelFormat, WGL_DEPTH_BITS_ARB, PbufferTarget::GetIntegerValue(token));
    } else if (BeginsWith(token, "stencil")) {
        AppendPair(pixelFormat, WGL_STENCIL_BITS_ARB, 8);
    } else if (BeginsWith(token, "samples")) {
        AppendPair(pixelFormat, WGL_SAMPLE_BUFFERS_ARB, 1);
        AppendPair(pixelFormat, WGL_SAMPLES_ARB, PbufferTarget::GetIntegerValue(token));
    } else if (BeginsWith(token, "aux")) {
        AppendPair(pixelFormat, WGL_AUX_BUFFERS_ARB, PbufferTarget::GetIntegerValue(token));
    } else if (token == "double") {
        AppendPair(pixelFormat, WGL_DOUBLE_BUFFER_ARB, 1);
    } else {
        return false;
    }
    return true;
}

int TextureTarget(const std::string& token, bool floatFlag) {
    if (BeginsWith(token, "textureRECT") || floatFlag) {
        return WGL_TEXTURE_RECTANGLE_NV;
    }
    if (BeginsWith(token, "textureCUBE")) {
        return WGL_TEXTURE_CUBE_MAP_ARB;
    }
    return WGL_TEXTURE_2D_ARB;
}

void AppendFloatFormat(int components, std::vector<int>& pixelFormat, std::vector<int>& pbuffer) {
    static const int kBind[] = {
        WGL_BIND_TO_TEXTURE_RECTANGLE_FLOAT_R_NV, WGL_BIND_TO_TEXTURE_RECTANGLE_FLOAT_RG_NV,
        WGL_BIND_TO_TEXTURE_RECTANGLE_FLOAT_RGB_NV, WGL_BIND_TO_TEXTURE_RECTANGLE_FLOAT_RGBA_NV};
    static const int kFormat[] = {WGL_TEXTURE_FLOAT_R_NV, WGL_TEXTURE_FLOAT_RG_NV,
                                  WGL_TEXTURE_FLOAT_RGB_NV, WGL_TEXTURE_FLOAT_RGBA_NV};
    if (components < 1 || components > 4) {
        return;
    }
    AppendPair(pixelFormat, kBind[components - 1], 1);
    AppendPair(pbuffer, WGL_TEXTURE_FORMAT_ARB, kFormat[components - 1]);
}

void AppendFixedFormat(int components, std::vector<int>& pixelFormat, std::vector<int>& pbuffer) {
    if (components == 3) {
        AppendPair(pixelFormat, WGL_BIND_TO_TEXTURE_RGB_ARB, 1);
        AppendPair(pbuffer, WGL_TEXTURE_FORMAT_ARB, WGL_TEXTURE_RGB_ARB);
    } else if (components == 4) {
        AppendPair(pixelFormat, WGL_BIND_TO_TEXTURE_RGBA_ARB, 1);
        AppendPair(pbuffer, WGL_TEXTURE_FORMAT_ARB, WGL_TEXTURE_RGBA_ARB);
    }
}

}  // namespace

PbufferTarget::PbufferTarget(const char* mode) {
    AppendPair(m_pixelFormatAttribs, WGL_DRAW_TO_PBUFFER_ARB, 1);
    AppendPair(m_pixelFormatAttribs, WGL_SUPPORT_OPENGL_ARB, 1);
    // A smaller buffer than asked for is better than none.
    AppendPair(m_pbufferAttribs, WGL_PBUFFER_LARGEST_ARB, 1);
    ParseMode(mode, m_pixelFormatAttribs, m_pbufferAttribs);
    m_pixelFormatAttribs.push_back(0);
    m_pbufferAttribs.push_back(0);
}

void PbufferTarget::ParseMode(const char* mode, std::vector<int>& pixelFormatAttribs,
                              std::vector<int>& pbufferAttribs) {
    if (mode == nullptr || *mode == '\0') {
        return;
    }
    m_iBitsPerComponent = 8;
    m_iComponents = 0;
    const ModeTokens split = SplitMode(mode);
    AppendPair(pixelFormatAttribs, WGL_PIXEL_TYPE_ARB,
               split.atiFloatFlag ? WGL_TYPE_RGBA_FLOAT_ATI : WGL_TYPE_RGBA_ARB);
    for (const std::string& token : split.tokens) {
        if (CountComponents(token, m_iComponents) || AppendBufferRule(token, pixelFormatAttribs)) {
            continue;
        }
        if (BeginsWith(token, "ati_float")) {
            m_iBitsPerComponent = GetIntegerValue(token);
        } else if (BeginsWith(token, "float")) {
            m_iBitsPerComponent = GetIntegerValue(token);
            AppendPair(pixelFormatAttribs, WGL_FLOAT_COMPONENTS_NV, 1);
        } else if (BeginsWith(token, "texture")) {
            AppendTextureAttribs(token, split.floatFlag, split.atiFloatFlag, pixelFormatAttribs,
                                 pbufferAttribs);
        } else if (BeginsWith(token, "mipmap") && split.textureFlag) {
            AppendPair(pbufferAttribs, WGL_MIPMAP_TEXTURE_ARB, 1);
        }
    }
    AppendColourSizes(pixelFormatAttribs);
}

void PbufferTarget::AppendTextureAttribs(const std::string& token, bool floatFlag,
                                         bool atiFloatFlag, std::vector<int>& pixelFormatAttribs,
                                         std::vector<int>& pbufferAttribs) {
    AppendPair(pbufferAttribs, WGL_TEXTURE_TARGET_ARB, TextureTarget(token, floatFlag));
    if ((floatFlag || atiFloatFlag) && m_iComponents == 0) {
        for (int name :
             {WGL_RED_BITS_ARB, WGL_GREEN_BITS_ARB, WGL_BLUE_BITS_ARB, WGL_ALPHA_BITS_ARB}) {
            AppendPair(pixelFormatAttribs, name, m_iBitsPerComponent);
        }
        m_iComponents = 4;
    }
    if (floatFlag) {
        AppendFloatFormat(m_iComponents, pixelFormatAttribs, pbufferAttribs);
    } else {
        AppendFixedFormat(m_iComponents, pixelFormatAttribs, pbufferAttribs);
    }
    if (GetStringValue(token) == "depth") {
        AppendPair(pixelFormatAttribs, WGL_BIND_TO_TEXTURE_DEPTH_NV, 1);
        AppendPair(pbufferAttribs, WGL_DEPTH_TEXTURE_FORMAT_NV, WGL_TEXTURE_DEPTH_COMPONENT_NV);
    }
}

void PbufferTarget::AppendColourSizes(std::vector<int>& pixelFormatAttribs) const {
    const int names[] = {WGL_RED_BITS_ARB, WGL_GREEN_BITS_ARB, WGL_BLUE_BITS_ARB,
                         WGL_ALPHA_BITS_ARB};
    for (int i = 0; i < m_iComponents && i < 4; ++i) {
        AppendPair(pixelFormatAttribs, names[i], m_iBitsPerComponent);
    }
}

int PbufferTarget::GetIntegerValue(const std::string& token) {
    const std::size_t equals = token.find('=');
    if (equals == std::string::npos || equals + 1 == token.size()) {
        return 1;
    }
    const long value = std::strtol(token.c_str() + equals + 1, nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

std::string PbufferTarget::GetStringValue(const std::string& token) {
    const std::size_t equals = token.find('=');
    return equals == std::string::npos ? std::string() : token.substr(equals + 1);
}
