#include "measure/measure_run.h"

#include <iterator>
#include <string>

#include "measure/cascade_pick.h"
#include "measure/colour_ramp.h"
#include "measure/eye_paths.h"
#include "measure/map_coverage.h"
#include "measure/map_picture.h"
#include "measure/measure_report.h"
#include "measure/percentiles.h"
#include "measure/png_file.h"
#include "measure/progress_line.h"
#include "measure/shadow_change.h"
#include "measure/shadow_term_picture.h"
#include "measure/texel_density.h"
#include "measure/view_capture.h"
#include "scene/scene.h"
#include "warp/light_plane.h"

namespace {

// The parametrisations in the order of the reports, which is their enum
// order: each one's figures sit at its own index.
constexpr Parametrisation COMPARED[] = {PARAM_SSM, PARAM_KVX, PARAM_LISPSM, PARAM_CSM,
                                        PARAM_CSM_STABLE};

// The modes of a stability run: each parametrisation with one lookup, and
// KVX with the five-lookup filter too.
struct StabilityMode {
    const char* name;
    Parametrisation parametrisation;
    bool fiveLookups;
};
constexpr StabilityMode STABILITY_MODES[] = {
    {"ssm", PARAM_SSM, false},   {"kvx", PARAM_KVX, false},
    {"kvx-hq", PARAM_KVX, true}, {"lispsm", PARAM_LISPSM, false},
    {"csm", PARAM_CSM, false},   {"csm-stable", PARAM_CSM_STABLE, false}};

// Holds the view's state that a measurement changes, and restores it.
class ViewState {
  public:
    explicit ViewState(CKVX_DemoView& view)
        : m_view(view),
          m_mode(view.m_iShadowMode),
          m_shown(view.CurrentParametrisation()),
          m_eye(view.m_eyeCamera) {}
    ~ViewState() {
        m_view.m_iShadowMode = m_mode;
        PlaceEye(m_eye);
    }
    ViewState(const ViewState&) = delete;
    ViewState& operator=(const ViewState&) = delete;

    // Puts the eye camera elsewhere; the navigation values stay.
    void PlaceEye(const Camera& eye) { m_view.m_eyeCamera = eye; }
    // The eye camera as it was when the run began.
    const Camera& StartEye() const { return m_eye; }
    // What a parametrisation hands the passes for the cameras as they are now.
    ShadowSetup Setup(Parametrisation p) { return m_view.FrameSetup(p); }
    // The parametrisation the view showed when the run began.
    Parametrisation Shown() const { return m_shown; }

  private:
    CKVX_DemoView& m_view;
    int m_mode;
    Parametrisation m_shown;
    Camera m_eye;
};

struct Run {
    CKVX_DemoView& view;
    ViewCapture& capture;
    ViewState& state;
    const CaptureHooks& hooks;
    ProgressLine* progress;  // of the figures' frames; null: none kept
    size_t framesDone = 0;
};

void BeforeRender(Run& run) {
    if (run.hooks.beforeRender)
        run.hooks.beforeRender();
}

// How many frames the figures of the request capture.
size_t FiguresFrames(const MeasureRequest& request) {
    const size_t density = request.density ? std::size(COMPARED) : 0;
    const size_t stability =
        request.stabilityFrames > 1
            ? std::size(EYE_PATHS) * std::size(STABILITY_MODES) * request.stabilityFrames
            : 0;
    return density + stability;
}

// One more frame of the figures is measured: its picture is shown and the
// progress line names what is running.
void FrameMeasured(Run& run, const std::string& what, const std::function<RgbImage()>& picture) {
    if (run.hooks.show)
        run.hooks.show(picture());
    if (run.progress != nullptr)
        run.progress->Show(what, ++run.framesDone);
}

OrbitPlacement Placement(float elevation, float azimuth, float negatedDistance) {
    return {elevation, azimuth, -negatedDistance};
}

PixelGrid<float> Density(Run& run, const ShadowSetup& setup) {
    BeforeRender(run);
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
    BeforeRender(run);
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
        FrameMeasured(run, std::string("measure, ") + ParametrisationKey(p),
                      [&] { return DensityHeatmap(densities.back()); });
        MapFigures m;
        m.key = ParametrisationJsonKey(p);
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

// One frame along an eye path: its eye, what the parametrisation fitted for
// that eye, and which start-view pixels the frame can read.
struct PathFrame {
    gmtl::Matrix44f eyeMatrix;
    ShadowSetup setup;
    // Per pixel: seen by this frame's eye, and for cascades looked up inside
    // the cascade that this eye's depth picks.
    PixelGrid<uint8_t> readable;
    size_t outsideTile = 0;
};

PathFrame FrameOnPath(Run& run, const PixelGrid<SurfacePoint>& points, const StabilityMode& mode,
                      const Camera& eye) {
    run.state.PlaceEye(eye);
    PathFrame frame{eye.m_matProjection * eye.m_matView, run.state.Setup(mode.parametrisation),
                    PixelGrid<uint8_t>(points.width, points.height, 0)};
    run.state.PlaceEye(run.state.StartEye());
    const gmtl::Matrix44f light = LightMatrix(run.view.m_lightCamera);
    const gmtl::Vec3f& lightPosition = run.view.m_lightCamera.m_position;
    for (size_t i = 0; i < points.values.size(); ++i) {
        const SurfacePoint& p = points.values[i];
        if (!p.visible || !InsideView(frame.eyeMatrix, p.position))
            continue;
        const bool inside = !frame.setup.cascaded ||
                            LooksUpInsideItsPart(frame.setup, light, lightPosition, p.position);
        frame.readable.values[i] = inside;
        frame.outsideTile += !inside;
    }
    return frame;
}

// The pixels both frames can read.
PixelGrid<uint8_t> ReadByBoth(const PathFrame& a, const PathFrame& b) {
    PixelGrid<uint8_t> both = a.readable;
    for (size_t i = 0; i < both.values.size(); ++i)
        both.values[i] = both.values[i] && b.readable.values[i];
    return both;
}

// The eye goes along its path and the map is fitted at every step, while
// the pixels keep showing the surface points seen from the path's start:
// the change of their shadow term is then the map's own doing. Each frame
// reads the term as a real frame at its eye would, cascades picked by that
// eye's depth.
ModeStability Stability(Run& run, const PixelGrid<SurfacePoint>& points, const EyePath& path,
                        const StabilityMode& mode, int frames) {
    ShadowChange change;
    PixelGrid<float> before;
    PathFrame previous;
    size_t outsideTile = 0;
    for (int k = 0; k < frames; ++k) {
        PathFrame frame = FrameOnPath(run, points, mode, EyeOnPath(run.state.StartEye(), path, k));
        BeforeRender(run);
        PixelGrid<float> after = run.capture.ShadowTerm(frame.setup, mode.fiveLookups);
        FrameMeasured(run, std::string("stability, ") + path.key + ", " + mode.name,
                      [&] { return ShadowTermPicture(after, frame.readable); });
        if (k > 0)
            change.AddPair(before, after, ReadByBoth(previous, frame));
        outsideTile += frame.outsideTile;
        before = std::move(after);
        previous = std::move(frame);
    }
    return {mode.name,
            change.MeanAbsoluteChange(),
            change.WorstPairMean(),
            change.FlipShare(),
            change.Pairs(),
            outsideTile};
}

PathStability PathFigures(Run& run, const EyePath& path, int frames) {
    const PixelGrid<SurfacePoint> points = run.capture.SurfacePoints(gmtl::Matrix44f());
    PathStability figures;
    figures.path = path.key;
    figures.step = path.step;
    const bool turn = path.kind == EYE_TURN;
    figures.what = turn ? "the eye turning in place" : "the eye moving along its view";
    figures.unit = turn ? " degrees" : "";
    for (const StabilityMode& mode : STABILITY_MODES)
        figures.modes.push_back(Stability(run, points, path, mode, frames));
    return figures;
}

// The figures the request asks for, at the view's cameras as they are.
void Figures(Run& run, const MeasureRequest& request, MeasureReport& figures) {
    figures.width = run.view.m_glContext.m_iWidth;
    figures.height = run.view.m_glContext.m_iHeight;
    figures.mapSize = run.view.m_iShadowMapWidth;
    figures.eye =
        Placement(run.view.m_fEyeElevation, run.view.m_fEyeAzimuth, run.view.m_fEyeDistance);
    figures.light =
        Placement(run.view.m_fLightElevation, run.view.m_fLightAzimuth, run.view.m_fLightDistance);
    if (request.density)
        CompareMaps(run, figures);
    if (request.stabilityFrames > 1) {
        figures.stabilityFrames = request.stabilityFrames;
        for (const EyePath& path : EYE_PATHS)
            figures.stability.push_back(PathFigures(run, path, request.stabilityFrames));
    }
}

bool DumpShadowMap(Run& run, const std::string& path, std::string& error) {
    const ShadowSetup setup = run.state.Setup(run.state.Shown());
    BeforeRender(run);
    run.capture.ShadowTerm(setup, false);
    const RgbImage image = OutlinedMapPicture(run.capture.DepthMap(), run.view.m_iShadowMapWidth, 1,
                                              run.view.m_eyeCamera, run.view.m_lightCamera, setup,
                                              StandardMapTrapezoid(run.view));
    return SavePng(path, image, error);
}

// Makes the capture and runs `body` on it, the view's state kept.
bool WithRun(CKVX_DemoView& view, const CaptureHooks& hooks, ProgressLine* progress,
             std::string& error, const std::function<bool(Run&)>& body) {
    ViewCapture capture(view);
    if (!capture.Create(error))
        return false;
    ViewState state(view);
    Run run{view, capture, state, hooks, progress};
    return body(run);
}

}  // namespace

std::vector<Point2D> StandardMapTrapezoid(CKVX_DemoView& view) {
    if (view.CurrentParametrisation() != PARAM_SSM)
        return {};
    return WarpedSquare(view.FrameSetup(PARAM_KVX).parts.front().nt);
}

bool MeasureFigures(CKVX_DemoView& view, const MeasureRequest& request, const CaptureHooks& hooks,
                    MeasureReport& figures, std::string& error) {
    return WithRun(view, hooks, nullptr, error, [&](Run& run) {
        Figures(run, request, figures);
        return true;
    });
}

bool RunMeasurements(CKVX_DemoView& view, const MeasureRequest& request, const CaptureHooks& hooks,
                     std::string& report, std::string& error) {
    ProgressLine progress("frames", FiguresFrames(request));
    return WithRun(view, hooks, &progress, error, [&](Run& run) {
        const bool readsPixels =
            request.density || request.stabilityFrames > 1 || !request.heatmap.empty();
        if (readsPixels && !SeesScene(run)) {
            error = NO_SCENE_SEEN;
            return false;
        }
        if (!request.dumpShadowMap.empty() && !DumpShadowMap(run, request.dumpShadowMap, error))
            return false;
        if (!request.heatmap.empty() &&
            !SavePng(request.heatmap,
                     DensityHeatmap(Density(run, run.state.Setup(run.state.Shown()))), error))
            return false;
        MeasureReport figures;
        Figures(run, request, figures);
        report.clear();
        if (request.density || figures.stabilityFrames > 0)
            report = request.json ? ReportJson(figures) : ReportText(figures);
        return true;
    });
}
