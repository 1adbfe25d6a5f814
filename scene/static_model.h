#pragma once

#include <GL/glew.h>

#include <cstdint>
#include <string>

#include "math/aabox.h"

// A static model: constant geometry tables compiled into a display list at
// start-up, with one texture per material. Faces are grouped by material:
// run m covers the m_iFaceCount faces that follow the faces of runs 0 to m-1.

struct StaticMaterial {
    const char* m_szTextureFile;  // image of the material's texture
    GLuint m_uTexture;            // texture name, 0 until built
};

struct MaterialRun {
    int32_t m_iMaterial;   // the run's own position, m
    int32_t m_iFaceCount;  // faces drawn with material m
};

// Three vertex, three normal and three texture-coordinate indices; corner c
// takes the c-th index of each.
struct StaticFace {
    int16_t m_vertex[3];
    int16_t m_normal[3];
    int16_t m_texCoord[3];
};

struct StaticModel {
    int32_t m_iMaterialCount;
    StaticMaterial* m_pMaterials;
    const MaterialRun* m_pRuns;
    const StaticFace* m_pFaces;
    const float (*m_pVertices)[3];
    const float (*m_pNormals)[3];
    const float (*m_pTexCoords)[2];
    GLuint m_uList;  // display list, 0 until built
    // Table sizes, so that every index can be checked against its table.
    int32_t m_iFaceCount;
    int32_t m_iVertexCount;
    int32_t m_iNormalCount;
    int32_t m_iTexCoordCount;

    // Checks the tables, loads the material textures and compiles the display
    // list. Tables that fail the check build nothing: false, with the reason in
    // error, and the model draws nothing. A material whose image cannot be
    // read or used is drawn in one plain colour, lit and shadowed: true, with
    // the image and its fault named in error.
    bool Build(std::string& error);
    // Calls the display list, if there is one.
    void Draw() const;
    // A box holding every vertex of the table; empty while there is no display
    // list, since nothing is drawn then.
    gmtl::AABoxf Bounds() const;
};

// The scene's four static models, S1 to S4. Their tables are generated from
// the baked meshes at build time.
extern StaticModel g_staticModelS1;
extern StaticModel g_staticModelS2;
extern StaticModel g_staticModelS3;
extern StaticModel g_staticModelS4;
