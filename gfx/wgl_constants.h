#pragma once

// Attribute names and values of the WGL pixel-format, pbuffer and render-texture
// extensions, with their registry values. The depth target describes its buffer
// with these lists and translates them to GLX when it creates the buffer; callers
// name the buffer to bind with them.

// WGL_ARB_pixel_format
constexpr int WGL_SUPPORT_OPENGL_ARB = 0x2010;
constexpr int WGL_DOUBLE_BUFFER_ARB = 0x2011;
constexpr int WGL_PIXEL_TYPE_ARB = 0x2013;
constexpr int WGL_RED_BITS_ARB = 0x2015;
constexpr int WGL_GREEN_BITS_ARB = 0x2017;
constexpr int WGL_BLUE_BITS_ARB = 0x2019;
constexpr int WGL_ALPHA_BITS_ARB = 0x201B;
constexpr int WGL_DEPTH_BITS_ARB = 0x2022;
constexpr int WGL_STENCIL_BITS_ARB = 0x2023;
constexpr int WGL_AUX_BUFFERS_ARB = 0x2024;
constexpr int WGL_TYPE_RGBA_ARB = 0x202B;
constexpr int WGL_TYPE_COLORINDEX_ARB = 0x202C;

// WGL_ARB_multisample
constexpr int WGL_SAMPLE_BUFFERS_ARB = 0x2041;
constexpr int WGL_SAMPLES_ARB = 0x2042;

// WGL_ARB_pbuffer
constexpr int WGL_DRAW_TO_PBUFFER_ARB = 0x202D;
constexpr int WGL_MAX_PBUFFER_PIXELS_ARB = 0x202E;
constexpr int WGL_MAX_PBUFFER_WIDTH_ARB = 0x202F;
constexpr int WGL_MAX_PBUFFER_HEIGHT_ARB = 0x2030;
constexpr int WGL_PBUFFER_LARGEST_ARB = 0x2033;
constexpr int WGL_PBUFFER_WIDTH_ARB = 0x2034;
constexpr int WGL_PBUFFER_HEIGHT_ARB = 0x2035;
constexpr int WGL_PBUFFER_LOST_ARB = 0x2036;

// WGL_ARB_render_texture
constexpr int WGL_BIND_TO_TEXTURE_RGB_ARB = 0x2070;
constexpr int WGL_BIND_TO_TEXTURE_RGBA_ARB = 0x2071;
constexpr int WGL_TEXTURE_FORMAT_ARB = 0x2072;
constexpr int WGL_TEXTURE_TARGET_ARB = 0x2073;
constexpr int WGL_MIPMAP_TEXTURE_ARB = 0x2074;
constexpr int WGL_TEXTURE_RGB_ARB = 0x2075;
constexpr int WGL_TEXTURE_RGBA_ARB = 0x2076;
constexpr int WGL_NO_TEXTURE_ARB = 0x2077;
constexpr int WGL_TEXTURE_CUBE_MAP_ARB = 0x2078;
constexpr int WGL_TEXTURE_1D_ARB = 0x2079;
constexpr int WGL_TEXTURE_2D_ARB = 0x207A;
constexpr int WGL_MIPMAP_LEVEL_ARB = 0x207B;
constexpr int WGL_CUBE_MAP_FACE_ARB = 0x207C;
constexpr int WGL_TEXTURE_CUBE_MAP_POSITIVE_X_ARB = 0x207D;
constexpr int WGL_TEXTURE_CUBE_MAP_NEGATIVE_X_ARB = 0x207E;
constexpr int WGL_TEXTURE_CUBE_MAP_POSITIVE_Y_ARB = 0x207F;
constexpr int WGL_TEXTURE_CUBE_MAP_NEGATIVE_Y_ARB = 0x2080;
constexpr int WGL_TEXTURE_CUBE_MAP_POSITIVE_Z_ARB = 0x2081;
constexpr int WGL_TEXTURE_CUBE_MAP_NEGATIVE_Z_ARB = 0x2082;
constexpr int WGL_FRONT_LEFT_ARB = 0x2083;
constexpr int WGL_FRONT_RIGHT_ARB = 0x2084;
constexpr int WGL_BACK_LEFT_ARB = 0x2085;
constexpr int WGL_BACK_RIGHT_ARB = 0x2086;
constexpr int WGL_AUX0_ARB = 0x2087;

// WGL_NV_render_texture_rectangle
constexpr int WGL_BIND_TO_TEXTURE_RECTANGLE_RGB_NV = 0x20A0;
constexpr int WGL_BIND_TO_TEXTURE_RECTANGLE_RGBA_NV = 0x20A1;
constexpr int WGL_TEXTURE_RECTANGLE_NV = 0x20A2;

// WGL_NV_render_depth_texture
constexpr int WGL_BIND_TO_TEXTURE_DEPTH_NV = 0x20A3;
constexpr int WGL_BIND_TO_TEXTURE_RECTANGLE_DEPTH_NV = 0x20A4;
constexpr int WGL_DEPTH_TEXTURE_FORMAT_NV = 0x20A5;
constexpr int WGL_TEXTURE_DEPTH_COMPONENT_NV = 0x20A6;
constexpr int WGL_DEPTH_COMPONENT_NV = 0x20A7;

// WGL_NV_float_buffer
constexpr int WGL_FLOAT_COMPONENTS_NV = 0x20B0;
constexpr int WGL_BIND_TO_TEXTURE_RECTANGLE_FLOAT_R_NV = 0x20B1;
constexpr int WGL_BIND_TO_TEXTURE_RECTANGLE_FLOAT_RG_NV = 0x20B2;
constexpr int WGL_BIND_TO_TEXTURE_RECTANGLE_FLOAT_RGB_NV = 0x20B3;
constexpr int WGL_BIND_TO_TEXTURE_RECTANGLE_FLOAT_RGBA_NV = 0x20B4;
constexpr int WGL_TEXTURE_FLOAT_R_NV = 0x20B5;
constexpr int WGL_TEXTURE_FLOAT_RG_NV = 0x20B6;
constexpr int WGL_TEXTURE_FLOAT_RGB_NV = 0x20B7;
constexpr int WGL_TEXTURE_FLOAT_RGBA_NV = 0x20B8;

// WGL_ATI_pixel_format_float
constexpr int WGL_TYPE_RGBA_FLOAT_ATI = 0x21A0;
