#pragma once

#include <string>
#include <vector>

#include "math/gmtl.h"
#include "measure/float_target.h"
#include "measure/pixel_grid.h"
#include "measure/pixel_readback.h"
#include "view/kvx_demo_view.h"

// The surface point a pixel shows, in world coordinates.
struct SurfacePoint {
    gmtl::Vec3f position;
    bool visible = false;
};

// Renders the view's two passes with a given N_T (or the setup of any
// parametrisation) and reads back, instead of
// the shaded picture, what one of the capture programs writes per pixel. The
// depth pass, the matrices and the scene vertex program are the view's own,
// so the values are those of the shaded frame. Needs the window's context
// current.
class ViewCapture {
  public:
    explicit ViewCapture(CKVX_DemoView& view) : m_view(view) {}
    // Deletes the programs Create loaded: a window that is resized makes a
    // new capture of the new size.
    ~ViewCapture();
    ViewCapture(const ViewCapture&) = delete;
    ViewCapture& operator=(const ViewCapture&) = delete;

    // Loads the capture programs and makes the float target of the view's
    // size; false with a message when the context cannot render to float
    // colour or the scene's programs do not end in the shading the capture
    // replaces.
    bool Create(std::string& error);

    // Where each pixel's lookup lands in the map, in texels.
    PixelGrid<TexelLookup> Lookups(const ShadowSetup& setup);
    PixelGrid<TexelLookup> Lookups(const gmtl::Matrix44f& nt);
    // The same lookups over three frames, so that none of them waits for the
    // GPU: StartLookups draws the scene pass alone (the lookups do not read
    // the depth map, which stays as the frame drew it); in each later frame
    // ContinueLookups takes one step: it queues the reading back of what the
    // GPU has drawn by then, and next gives what Lookups would have given
    // (true), or nothing when they could not be read. Needs
    // PixelReadback::Available().
    void StartLookups(const ShadowSetup& setup);
    bool LookupsPending() const { return m_lookupsStep != LookupsStep::NONE; }
    bool ContinueLookups(PixelGrid<TexelLookup>& lookups);
    // The shadow term of each pixel, of the one- or the five-lookup test.
    PixelGrid<float> ShadowTerm(const ShadowSetup& setup, bool fiveLookups);
    // The world point each pixel shows.
    PixelGrid<SurfacePoint> SurfacePoints(const gmtl::Matrix44f& nt);
    // The depth map of the last capture, rows from the bottom.
    std::vector<float> DepthMap() const;

  private:
    struct Frame {
        std::vector<float> rgba;
        std::vector<float> depth;
    };
    // A capture program in both lookup forms: through one warp, and picking
    // the cascade.
    struct Program {
        GLuint single = 0;
        GLuint cascaded = 0;
    };
    Program Load(const std::string& text);
    Frame Render(const ShadowSetup& setup, const Program& program);
    PixelGrid<TexelLookup> LookupGrid(const Frame& frame) const;

    CKVX_DemoView& m_view;
    FloatTarget m_target;
    Program m_lookupProgram;
    Program m_lightVectorProgram;
    Program m_shadowProgram;
    Program m_shadowProgramHQ;
    enum class LookupsStep { NONE, DRAWN, READING };
    PixelReadback m_readback;
    LookupsStep m_lookupsStep = LookupsStep::NONE;
};
