#include "measure/sweep_run.h"

#include "measure/measure_run.h"
#include "measure/progress_line.h"
#include "measure/sweep_csv.h"
#include "platform/small_files.h"

namespace {

// Puts the view's cameras back when the sweep ends.
class CamerasKept {
  public:
    explicit CamerasKept(CKVX_DemoView& view)
        : m_view(view), m_eye(view.m_eyeCamera), m_light(view.m_lightCamera) {}
    ~CamerasKept() {
        m_view.m_eyeCamera = m_eye;
        m_view.m_lightCamera = m_light;
    }
    CamerasKept(const CamerasKept&) = delete;
    CamerasKept& operator=(const CamerasKept&) = delete;

    const Camera& Eye() const { return m_eye; }
    const Camera& Light() const { return m_light; }

  private:
    CKVX_DemoView& m_view;
    Camera m_eye;
    Camera m_light;
};

// Places the light and the eye's view for one view of the sweep, from the
// cameras as the sweep found them only, so that a view measures alike
// whichever views a process measured before it; returns the view direction.
gmtl::Vec3f Place(CKVX_DemoView& view, const CamerasKept& start, const SweepView& v) {
    const Camera& startEye = start.Eye();
    const gmtl::Matrix44f& m = startEye.m_matView;
    const gmtl::Vec3f forward(-m(2, 0), -m(2, 1), -m(2, 2));
    const SweepPlacement placement =
        PlaceForGamma(start.Light(), v.lightElevation, startEye.m_position, forward, v.gamma);
    view.m_lightCamera = start.Light();
    view.m_lightCamera.SetView(v.lightElevation, placement.lightAzimuth,
                               gmtl::length(start.Light().m_position));
    view.m_eyeCamera.SetViewMatrix(LookAlong(startEye.m_position, placement.viewDirection));
    return placement.viewDirection;
}

}  // namespace

bool RunSweep(CKVX_DemoView& view, const SweepRequest& request, const CaptureHooks& hooks,
              std::string& error) {
    const std::vector<SweepView> views = SweepViews(request.grid);
    size_t mine = 0;
    for (size_t i = 0; i < views.size(); ++i)
        mine += InShard(i, request.shard);
    MeasureRequest measure;
    measure.density = true;
    measure.stabilityFrames = request.stabilityFrames;
    std::string csv = SweepCsvHeader(request.stabilityFrames > 1);
    {
        CamerasKept kept(view);
        ProgressLine progress("views", mine);
        size_t done = 0;
        for (size_t i = 0; i < views.size(); ++i) {
            if (!InShard(i, request.shard))
                continue;
            const gmtl::Vec3f direction = Place(view, kept, views[i]);
            MeasureReport figures;
            if (!MeasureFigures(view, measure, hooks, figures, error))
                return false;
            csv += SweepCsvRows(views[i], ElevationDegrees(direction), figures);
            progress.Show("sweep", ++done);
        }
    }
    if (const std::string why = ReplaceFileContents(request.file, csv); !why.empty()) {
        error = "the sweep " + request.file + " " + why;
        return false;
    }
    return true;
}
