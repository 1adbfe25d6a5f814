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
#include "scene/scene.h"

namespace {

// The parametrisations in the order of the reports, which is their enum
// order: each one's figures sit at its own index.
constexpr Parametrisation COMPARED[] = {PARAM_SSM, PARAM_KVX, PARAM_LISPSM, PARAM_CSM};

// The modes of a stability run: each parametrisation with one lookup, and
// KVX with the five-lookup filter too.
struct StabilityMode {
    const char* name;
    Parametrisation parametrisation;
    bool fiveLookups;
};
constexpr StabilityMode STABILITY_MODES[] = {{"ssm", PARAM_SSM, false},
                                             {"kvx", PARAM_KVX, false},
                                             {"kvx-hq", PARAM_KVX, true},
                                             {"lispsm", PARAM_LISPSM, false},
                                             {"csm", PARAM_CSM, false}};

// Holds the view's state that a measurement changes, and restores it.
class ViewState {
  public:
    explicit ViewState(CKVX_DemoView& view)
        : m_view(view), m_mode(view.m_iShadowMode), m_shown(view.CurrentParametrisation()) {}
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
    // What a parametrisation hands the passes for the cameras as they are now.
    ShadowSetup Setup(Parametrisation p) { return m_view.FrameSetup(p); }
    // The parametrisation the view showed when the run began.
    Parametrisation Shown() const { return m_shown; }

  private:
    CKVX_DemoView& m_view;
    int m_mode;
    Parametrisation m_shown;
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

PixelGrid<float> Density(Run& run, const ShadowSetup& setup) {
    run.beforeRender();
    return TexelsPerPixel(run.capture.Lookups(setup));
}

// A fit that is not finite leaves KVX with the identity, the standard map.
bool IsIdentity(const gmtl::Matrix44f& m) {
    const gmtl::Matrix44f identity;
    for (unsigned i = 0; i < 16; ++i) {
        if (m[i] != identity[i])
            return false;
    }
    return true;
}

// Where the camera is in the world: its view matrix takes it to the origin.
gmtl::Vec3f CameraPosition(const Camera& camera) {
    const gmtl::Matrix44f& v = camera.m_matView;
    gmtl::Vec3f position;
    for (unsigned j = 0; j < 3; ++j)
        position[j] = -(v(0, j) * v(0, 3) + v(1, j) * v(1, 3) + v(2, j) * v(2, 3));
    return position;
}

// True when the eye is above the terrain (or beyond its edge) and some pixel
// of its view shows the scene. From under the terrain the eye sees the ground
// from below, or nothing at all.
bool SeesScene(Run& run) {
    const gmtl::Vec3f eye = CameraPosition(run.view.m_eyeCamera);
    float ground = 0.0f;
    if (SceneGroundHeightAt(eye[0], eye[2], ground) && eye[1] < ground)
        return false;
    run.beforeRender();
    const PixelGrid<SurfacePoint> points = run.capture.SurfacePoints(gmtl::Matrix44f());
    for (const SurfacePoint& p : points.values) {
        if (p.visible)
            return true;
    }
    return false;
}

// Texels per pixel and coverage of every parametrisation, and how often one
// gives fewer texels than another at a pixel.
void CompareMaps(Run& run, MeasureReport& figures) {
    std::vector<PixelGrid<float>> densities;
    for (Parametrisation p : COMPARED) {
        const ShadowSetup setup = run.state.Setup(p);
        densities.push_back(Density(run, setup));
        MapFigures m;
        m.key = ParametrisationKey(p);
        m.label = ParametrisationLabel(p);
        m.texels = SummariseDensity(densities.back());
        m.coverage = SetupCoverage(run.view.m_eyeCamera, run.view.m_lightCamera, setup);
        figures.maps.push_back(m);
    }
    const PixelGrid<float>& kvx = densities[PARAM_KVX];
    for (size_t i = 0; i < figures.maps.size(); ++i)
        figures.maps[i].fewerThanKvx = ShareWhereLess(densities[i], kvx);
    figures.hasDensity = true;
    figures.kvxFewerShare = ShareWhereLess(kvx, densities[PARAM_SSM]);
    figures.kvxFallsBack = IsIdentity(run.state.Setup(PARAM_KVX).parts.front().nt);
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
ModeStability Stability(Run& run, const StabilityMode& mode, int frames) {
    const PixelGrid<SurfacePoint> points = run.capture.SurfacePoints(gmtl::Matrix44f());
    const float start = run.view.m_fEyeAzimuth;
    ShadowChange change;
    PixelGrid<float> before;
    gmtl::Matrix44f previousEye;
    for (int k = 0; k < frames; ++k) {
        run.state.PlaceEye(start + STABILITY_STEP_DEGREES * static_cast<float>(k));
        const Camera& eye = run.view.m_eyeCamera;
        const gmtl::Matrix44f eyeMatrix = eye.m_matProjection * eye.m_matView;
        const ShadowSetup setup = run.state.Setup(mode.parametrisation);
        run.state.PlaceEye(start);
        run.beforeRender();
        PixelGrid<float> after = run.capture.ShadowTerm(setup, mode.fiveLookups);
        if (k > 0)
            change.AddPair(before, after, SeenByBoth(points, previousEye, eyeMatrix));
        before = std::move(after);
        previousEye = eyeMatrix;
    }
    return {mode.name, change.MeanAbsoluteChange(), change.WorstPairMean(), change.FlipShare(),
            change.Pairs()};
}

bool DumpShadowMap(Run& run, const std::string& path, std::string& error) {
    const ShadowSetup setup = run.state.Setup(run.state.Shown());
    run.beforeRender();
    run.capture.ShadowTerm(setup, false);
    const RgbImage image = OutlinedMapPicture(run.capture.DepthMap(), run.view.m_iShadowMapWidth, 1,
                                              run.view.m_eyeCamera, run.view.m_lightCamera, setup,
                                              StandardMapTrapezoid(run.view));
    return SavePng(path, image, error);
}

}  // namespace

std::vector<Point2D> StandardMapTrapezoid(CKVX_DemoView& view) {
    if (view.CurrentParametrisation() != PARAM_SSM)
        return {};
    return WarpedSquare(view.FrameSetup(PARAM_KVX).parts.front().nt);
}

bool RunMeasurements(CKVX_DemoView& view, const MeasureRequest& request,
                     const std::function<void()>& beforeRender, std::string& report,
                     std::string& error) {
    ViewCapture capture(view);
    if (!capture.Create(error))
        return false;
    ViewState state(view);
    Run run{view, capture, state, beforeRender};
    const bool readsPixels =
        request.density || request.stabilityFrames > 1 || !request.heatmap.empty();
    if (readsPixels && !SeesScene(run)) {
        error = NO_SCENE_SEEN;
        return false;
    }

    if (!request.dumpShadowMap.empty() && !DumpShadowMap(run, request.dumpShadowMap, error))
        return false;
    if (!request.heatmap.empty() &&
        !SavePng(request.heatmap, DensityHeatmap(Density(run, state.Setup(state.Shown()))), error))
        return false;

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
        for (const StabilityMode& mode : STABILITY_MODES)
            figures.stability.push_back(Stability(run, mode, request.stabilityFrames));
    }
    report.clear();
    if (request.density || figures.stabilityFrames > 0)
        report = request.json ? ReportJson(figures) : ReportText(figures);
    return true;
}
