#include "scene/scene_texture.h"

#include <IL/il.h>

#include "scene/scene_image.h"

namespace {

constexpr GLubyte PLAIN_TEXEL[3] = {128, 128, 128};

void CreateBoundTexture(GLuint* texture) {
    glGenTextures(1, texture);
    glBindTexture(GL_TEXTURE_2D, *texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void UploadRgb(GLenum target, GLsizei width, GLsizei height, const void* pixels) {
    glTexImage2D(target, 0, GL_RGBA, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
}

// True when the driver takes a texture of width x height: within its size
// limit, and accepted by a proxy upload, which also weighs the memory it would
// need. An upload it does not take fails with nothing but a GL error.
bool DriverTakesSize(GLsizei width, GLsizei height, GLint maxSize) {
    if (width > maxSize || height > maxSize)
        return false;
    UploadRgb(GL_PROXY_TEXTURE_2D, width, height, nullptr);
    GLint proxyWidth = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &proxyWidth);
    return proxyWidth != 0;
}

// What keeps the image bound in DevIL from becoming a texture, or "": a size
// the driver does not take, or pixels DevIL cannot turn into 8-bit RGB (which
// it then does).
std::string BoundImageProblem() {
    const GLsizei width = ilGetInteger(IL_IMAGE_WIDTH);
    const GLsizei height = ilGetInteger(IL_IMAGE_HEIGHT);
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (!DriverTakesSize(width, height, maxSize)) {
        const std::string limit = std::to_string(maxSize);
        return "is " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels, more than the " + limit + " x " + limit + " the OpenGL driver takes";
    }
    if (!ConvertBoundImageToRgb8())
        return "cannot be turned into 8-bit RGB";
    return "";
}

}  // namespace

std::string CreateSceneTexture(GLuint* texture) {
    const std::string problem = BoundImageProblem();
    if (!problem.empty()) {
        CreatePlainTexture(texture);
        return problem;
    }
    CreateBoundTexture(texture);
    UploadRgb(GL_TEXTURE_2D, ilGetInteger(IL_IMAGE_WIDTH), ilGetInteger(IL_IMAGE_HEIGHT),
              ilGetData());
    return "";
}

void CreatePlainTexture(GLuint* texture) {
    CreateBoundTexture(texture);
    UploadRgb(GL_TEXTURE_2D, 1, 1, PLAIN_TEXEL);
}
