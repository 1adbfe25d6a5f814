#pragma once

#include <memory>
#include <vector>

class Fl_RGB_Image;

// The about box's logo: a trapezoid with its texel grid, an arrow, and the
// square it is stretched onto, casting a shadow; drawn by the program itself.
inline constexpr int LOGO_WIDTH = 100;
inline constexpr int LOGO_HEIGHT = 51;

// The logo's pixels, three bytes (red, green, blue) each, rows from the top.
std::vector<unsigned char> LogoPixels();

// The logo as an image that owns its pixels.
std::unique_ptr<Fl_RGB_Image> CreateLogoImage();

// The logo as a square icon of size x size pixels with a transparent surround (logo_icon.h).
std::unique_ptr<Fl_RGB_Image> CreateLogoIcon(int size);
