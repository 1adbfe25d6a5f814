#pragma once

#include <string>

#include "measure/rgb_image.h"

// Writes the picture as a PNG file, replacing one that exists. False with a
// message when it cannot be written.
bool SavePng(const std::string& path, const RgbImage& image, std::string& error);
