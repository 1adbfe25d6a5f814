#pragma once

#include <vector>

// The logo centred on a square of size x size pixels with a transparent surround, for the
// window's icon and the desktop's: four bytes (red, green, blue, alpha) a pixel, rows from the
// top. Each icon pixel averages 4 x 4 samples of the logo, so the grid lines stay visible when
// the logo shrinks and edges stay smooth when it grows.
std::vector<unsigned char> LogoIconPixels(int size);
