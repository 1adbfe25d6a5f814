// The GL side of an MD2 model: the skin texture and the per-frame draw.

#include <GL/glew.h>
#include <GL/glu.h>

#include "scene/md2_model.h"
#include "scene/scene_image.h"

bool Md2Model::Load(const char* modelFile, const char* skinFile, std::string& error) {
    if (!LoadGeometry(modelFile, error))
        return false;
    if (!LoadSkin(skinFile, error)) {
        *this = Md2Model();
        return false;
    }
    return true;
}

// The skin becomes a mipmapped texture; the image is read as JPEG and turned
// into 8-bit RGB if it is anything else.
bool Md2Model::LoadSkin(const char* skinFile, std::string& error) {
    if (skinFile == nullptr) {
        error = "no skin image was given";
        return false;
    }
    SceneImage image;
    if (!image.Load(skinFile) || !ConvertBoundImageToRgb8()) {
        error = std::string("cannot read the skin image ") + skinFile;
        return false;
    }
    auto skin = std::make_unique<Md2Skin>();
    skin->m_szFile = skinFile;
    glGenTextures(1, &skin->m_uTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, skin->m_uTexture);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.Width(), image.Height(), GL_RGB, GL_UNSIGNED_BYTE,
                      image.Data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    m_ppSkins.push_back(std::move(skin));
    m_iSkinCount = 1;
    return true;
}

void Md2Model::Draw() {
    if (!IsDrawable())
        return;
    glBindTexture(GL_TEXTURE_2D, m_ppSkins[0]->m_uTexture);
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, m_ppFrames[m_iCurrentFrame].get());
    glDrawArrays(GL_TRIANGLES, 0, m_iFrameFloats / 8);
    AdvanceFrame();
}
