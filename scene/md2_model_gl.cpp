// The GL side of an MD2 model: the skin texture and the per-frame draw.

#include <GL/glew.h>
#include <GL/glu.h>

#include "scene/md2_model.h"
#include "scene/scene_image.h"
#include "scene/scene_texture.h"

namespace {

// The skin image as a mipmapped texture, read as JPEG and turned into 8-bit
// RGB if it is anything else; false, with no texture made and what is wrong
// in problem, when it cannot be read.
bool CreateSkinTexture(const char* skinFile, GLuint* texture, std::string& problem) {
    SceneImage image;
    if (!image.Load(skinFile) || !ConvertBoundImageToRgb8()) {
        problem = image.RefusedSize().empty()
                      ? std::string("cannot read the skin image ") + skinFile
                      : std::string("the skin image ") + skinFile + " is " + image.RefusedSize();
        return false;
    }
    glGenTextures(1, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, *texture);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.Width(), image.Height(), GL_RGB, GL_UNSIGNED_BYTE,
                      image.Data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return true;
}

}  // namespace

bool Md2Model::Load(const char* modelFile, const char* skinFile, std::string& error) {
    if (!LoadGeometry(modelFile, error))
        return false;
    LoadSkin(skinFile, error);
    return true;
}

// Without a readable image the skin is plain, so that the model is still
// drawn, lit and shadowed, and casts its shadow.
void Md2Model::LoadSkin(const char* skinFile, std::string& error) {
    auto skin = std::make_unique<Md2Skin>();
    skin->m_szFile = skinFile != nullptr ? skinFile : "";
    if (skinFile == nullptr) {
        error = "no skin image was given";
        CreatePlainTexture(&skin->m_uTexture);
    } else if (!CreateSkinTexture(skinFile, &skin->m_uTexture, error)) {
        CreatePlainTexture(&skin->m_uTexture);
    }
    m_ppSkins.push_back(std::move(skin));
    m_iSkinCount = 1;
}

void Md2Model::Draw() {
    if (!IsDrawable())
        return;
    glBindTexture(GL_TEXTURE_2D, m_ppSkins[0]->m_uTexture);
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, m_ppFrames[m_iCurrentFrame]);
    glDrawArrays(GL_TRIANGLES, 0, m_iFrameFloats / 8);
}
