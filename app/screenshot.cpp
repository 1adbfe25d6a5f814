#include "app/screenshot.h"

#include <GL/gl.h>
#include <IL/il.h>

#include <vector>

bool SaveScreenshot(const std::string& path, int width, int height, std::string& error) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());

    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    // GL rows run bottom-up, as DevIL's lower-left origin expects.
    ilTexImage(width, height, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, pixels.data());
    ilEnable(IL_FILE_OVERWRITE);
    const bool saved = ilSave(IL_PNG, path.c_str()) == IL_TRUE;
    ilDeleteImages(1, &image);
    if (!saved)
        error = "cannot write the screenshot '" + path + "'";
    return saved;
}
