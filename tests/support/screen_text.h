#pragma once

#include <string>

#include "tests/support/x_window.h"

// The text that OCR (tesseract) reads in a region of a picture showing light
// text on a dark ground, right and bottom excluded: the region is inverted
// and scaled up first, as a small bitmap font reads best. Empty when
// tesseract cannot run.
std::string ReadText(const Picture& picture, int left, int top, int right, int bottom);
