#include "measure/png_file.h"

#include <IL/il.h>

bool SavePng(const std::string& path, const RgbImage& image, std::string& error) {
    ilInit();
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    // Rows run bottom-up, as DevIL's lower-left origin expects.
    ilTexImage(image.width, image.height, 1, 3, IL_RGB, IL_UNSIGNED_BYTE,
               const_cast<uint8_t*>(image.rgb.data()));
    ilEnable(IL_FILE_OVERWRITE);
    const bool saved = ilSave(IL_PNG, path.c_str()) == IL_TRUE;
    ilDeleteImages(1, &name);
    if (!saved)
        error = "cannot write the image '" + path + "'";
    return saved;
}
