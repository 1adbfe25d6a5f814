#include "measure/measure_run.h"

#include "measure/colour_ramp.h"
#include "measure/map_coverage.h"
#include "measure/map_picture.h"
#include "measure/measure_report.h"
#include "measure/percentiles.h"
#include "measure/png_file.h"
#include "measure/shadow_change.h"
#include "measure/texel_density.h"
#include "measure/view_capture.h"

namespace {

constexpr Rgb FRUSTUM_COLOUR = {255, 200, 0};
constexpr Rgb TRAPEZOID_COLOUR = {230, 40, 40};
// The frustum's outline is drawn wider and first, so that the trapezoid
// stays visible where the two coincide.
constexpr int FRUSTUM_THICKNESS = 9;
constexpr int TRAPEZOID_THICKNESS = 3;

// Holds the view's state that a measurement changes, and restores it.
class ViewState {
  public:
    explicit ViewState(CKVX_DemoView& view) : m_view(view), m_mode(view.m_iShadowMode) {}
    ~ViewState() {
        m_view.m_iShadowMode = m_mode;
        PlaceEye(m_view.m_fEyeAzimuth);
    }
    ViewState(const ViewState&) = delete;
    ViewState& operator=(const ViewState&) = delete;

    // Puts the eye camera at another azimuth; the navigation values stay.
    void PlaceEye(float azimuth) {
        m_view.m_eyeCamera.SetView(m_view.m_fEyeElevation, azimuth, -m_view.m_fEyeDistance);
    }
    // N_T of a shadow mode for the cameras as they are now.
    gmtl::Matrix44f Warp(int mode) {
        m_view.m_iShadowMode = mode;
        const gmtl::Matrix44f nt = m_view.FrameWarp();
        m_view.m_iShadowMode = m_mode;
        return nt;
    }
    int Mode() const { return m_mode; }

  private:
    CKVX_DemoView& m_view;
    int m_mode;
};

struct Run {
    CKVX_DemoView& view;
    ViewCapture& capture;
    ViewState& state;
    const std::function<void()>& beforeRender;
};

OrbitPlacement Placement(float elevation, float azimuth, float negatedDistance) {
    return {elevation, azimuth, -negatedDistance};
}

PixelGrid<float> Density(Run& run, const gmtl::Matrix44f& nt) {
    run.beforeRender();
    return TexelsPerPixel(run.capture.Lookups(nt));
}

MapFigures MapFiguresFor(Run& run, const gmtl::Matrix44f& nt, const PixelGrid<float>& density) {
    MapFigures figures;
    figures.texels = SummariseDensity(density);
    figures.coverage = MapCoverage(run.view.m_eyeCamera, run.view.m_lightCamera, nt);
    return figures;
}

// Texels per pixel and coverage of both maps, and how often the warped map
// is the poorer one at a pixel.
void CompareMaps(Run& run, MeasureReport& figures) {
    const gmtl::Matrix44f standard = run.state.Warp(SHADOW_SSM);
    const gmtl::Matrix44f warped = run.state.Warp(SHADOW_KVX);
    const PixelGrid<float> ssm = Density(run, standard);
    const PixelGrid<float> kvx = Density(run, warped);
    figures.hasDensity = true;
    figures.ssm = MapFiguresFor(run, standard, ssm);
    figures.kvx = MapFiguresFor(run, warped, kvx);
    figures.kvxFewerShare = ShareWhereLess(kvx, ssm);
}

// The pixels whose surface point lies in both eyes' views.
PixelGrid<uint8_t> SeenByBoth(const PixelGrid<SurfacePoint>& points, const gmtl::Matrix44f& a,
                              const gmtl::Matrix44f& b) {
    PixelGrid<uint8_t> counted(points.width, points.height, 0);
    for (size_t i = 0; i < points.values.size(); ++i) {
        const SurfacePoint& p = points.values[i];
        counted.values[i] = p.visible && InsideView(a, p.position) && InsideView(b, p.position);
    }
    return counted;
}

// The eye moves along its path and fits the map at every step, while the
// pixels keep showing the surface points seen from the path's start: the
// change of their shadow term is then the map's own doing.
ModeStability Stability(Run& run, const char* name, int mode, bool fiveLookups, int frames) {
    const PixelGrid<SurfacePoint> points = run.capture.SurfacePoints(run.state.Warp(mode));
    const float start = run.view.m_fEyeAzimuth;
    ShadowChange change;
    PixelGrid<float> before;
    gmtl::Matrix44f previousEye;
    for (int k = 0; k < frames; ++k) {
        run.state.PlaceEye(start + STABILITY_STEP_DEGREES * static_cast<float>(k));
        const Camera& eye = run.view.m_eyeCamera;
        const gmtl::Matrix44f eyeMatrix = eye.m_matProjection * eye.m_matView;
        const gmtl::Matrix44f nt = run.state.Warp(mode);
        run.state.PlaceEye(start);
        run.beforeRender();
        PixelGrid<float> after = run.capture.ShadowTerm(nt, fiveLookups);
        if (k > 0)
            change.AddPair(before, after, SeenByBoth(points, previousEye, eyeMatrix));
        before = std::move(after);
        previousEye = eyeMatrix;
    }
    return {name, change.MeanAbsoluteChange(), change.WorstPairMean(), change.FlipShare(),
            change.Pairs()};
}

bool DumpShadowMap(Run& run, const std::string& path, std::string& error) {
    const bool standard = run.state.Mode() == SHADOW_SSM;
    const gmtl::Matrix44f nt = run.state.Warp(run.state.Mode());
    run.beforeRender();
    run.capture.ShadowTerm(nt, false);
    const int size = run.view.m_iShadowMapWidth;
    RgbImage image = DepthMapPicture(run.capture.DepthMap(), size, run.view.m_iShadowMapHeight);
    std::vector<Point2D> trapezoid;
    if (standard) {
        trapezoid = WarpedSquare(run.state.Warp(SHADOW_KVX));
    } else {
        const float edge = 1.0f - 2.0f * TRAPEZOID_THICKNESS / static_cast<float>(size);
        trapezoid = {Point2D(-edge, -edge), Point2D(edge, -edge), Point2D(edge, edge),
                     Point2D(-edge, edge)};
    }
    DrawMapOutline(image,
                   ClipToMap(FrustumOutlineInMap(run.view.m_eyeCamera, run.view.m_lightCamera, nt)),
                   FRUSTUM_COLOUR, FRUSTUM_THICKNESS);
    DrawMapOutline(image, trapezoid, TRAPEZOID_COLOUR, TRAPEZOID_THICKNESS);
    return SavePng(path, image, error);
}

}  // namespace

bool RunMeasurements(CKVX_DemoView& view, const MeasureRequest& request,
                     const std::function<void()>& beforeRender, std::string& report,
                     std::string& error) {
    ViewCapture capture(view);
    if (!capture.Create(error))
        return false;
    ViewState state(view);
    Run run{view, capture, state, beforeRender};

    if (!request.dumpShadowMap.empty() && !DumpShadowMap(run, request.dumpShadowMap, error))
        return false;
    if (!request.heatmap.empty()) {
        const int mode = state.Mode() == SHADOW_SSM ? SHADOW_SSM : SHADOW_KVX;
        if (!SavePng(request.heatmap, DensityHeatmap(Density(run, state.Warp(mode))), error))
            return false;
    }

    MeasureReport figures;
    figures.width = view.m_glContext.m_iWidth;
    figures.height = view.m_glContext.m_iHeight;
    figures.mapSize = view.m_iShadowMapWidth;
    figures.eye = Placement(view.m_fEyeElevation, view.m_fEyeAzimuth, view.m_fEyeDistance);
    figures.light = Placement(view.m_fLightElevation, view.m_fLightAzimuth, view.m_fLightDistance);
    if (request.density)
        CompareMaps(run, figures);
    if (request.stabilityFrames > 1) {
        figures.stabilityFrames = request.stabilityFrames;
        figures.stepDegrees = STABILITY_STEP_DEGREES;
        const int n = request.stabilityFrames;
        figures.stability = {Stability(run, "ssm", SHADOW_SSM, false, n),
                             Stability(run, "kvx", SHADOW_KVX, false, n),
                             Stability(run, "kvx-hq", SHADOW_KVX, true, n)};
    }
    report.clear();
    if (request.density || figures.stabilityFrames > 0)
        report = request.json ? ReportJson(figures) : ReportText(figures);
    return true;
}
