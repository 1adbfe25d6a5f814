#include "app/screenshot.h"

#include <GL/gl.h>

#include "measure/png_file.h"

bool SaveScreenshot(const std::string& path, int width, int height, std::string& error) {
    RgbImage image(width, height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, image.rgb.data());
    if (SavePng(path, image, error))
        return true;
    error = "cannot write the screenshot '" + path + "'";
    return false;
}
