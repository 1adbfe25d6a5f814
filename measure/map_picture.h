#pragma once

#include <vector>

#include "measure/rgb_image.h"

// A depth map as a grey picture: texels where nothing was drawn (depth 1)
// are black; the drawn depths are stretched over the grey range, nearer to
// the light brighter.
RgbImage DepthMapPicture(const std::vector<float>& depth, int width, int height);
