#pragma once

#include <string>

// Saves the current read buffer of the current GL context (width x height
// pixels from the lower left corner) as a PNG file. Returns false with a
// message when the file cannot be written.
bool SaveScreenshot(const std::string& path, int width, int height, std::string& error);
