// The window's view files: the whole view taken into a SavedView and
// restored from one, at start-up and through the View menu's Save View...
// and Open View....

#include <cmath>
#include <cstdio>

#include "app/demo_gl_window.h"
#include "app/view_file_dialog.h"
#include "platform/message_box.h"
#include "scene/scene.h"

namespace {

constexpr const char* EXTENSION = ".kvxview";
constexpr const char* NO_COMPARED_MODE_NAME = "none";

// A camera's placement as --eye and --light take it; an azimuth that many
// turns of the mouse took beyond their range is brought back within a turn.
OrbitOption Placement(const OrbitPlace& place) {
    OrbitOption orbit;
    orbit.set = true;
    orbit.elevation = place.elevation;
    orbit.azimuth = std::fabs(place.azimuth) > MAX_ORBIT_AZIMUTH ? std::fmod(place.azimuth, 360.0f)
                                                                 : place.azimuth;
    orbit.distance = place.distance;
    return orbit;
}

// A name typed without an extension gets the view files' own.
std::string WithExtension(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return name + EXTENSION;
    return name;
}

const char* ShadowModeName(const CKVX_DemoView& view) {
    if (view.m_iShadowMode == SHADOW_SSM)
        return "ssm";
    return view.m_uCurrentFragmentProgram == view.m_uSceneFragmentProgramHQ ? "kvx-hq" : "kvx";
}

}  // namespace

SavedView DemoGlWindow::CurrentView() const {
    SavedView saved;
    const CameraPlacement placement = m_view.Placement();
    saved.eye = Placement(placement.eye);
    saved.light = Placement(placement.light);
    saved.shadowMode = ShadowModeName(m_view);
    saved.comparedMode =
        m_view.m_iComparedMode == NO_COMPARED_MODE
            ? NO_COMPARED_MODE_NAME
            : ParametrisationKey(static_cast<Parametrisation>(m_view.m_iComparedMode));
    saved.inset = m_liveViews.IsOn(LiveViews::MAP_INSET);
    saved.heatColours = m_liveViews.IsOn(LiveViews::HEAT_COLOURS);
    saved.readout = m_liveViews.IsOn(LiveViews::READOUT);
    saved.paused = m_view.FiguresPaused();
    saved.figures = FigurePoses();
    return saved;
}

// The figures' pose first, the one part that can be refused, so that a
// refused view changes nothing; the modes through the menu's own commands,
// so that the check marks and the mode line follow.
std::string DemoGlWindow::RestoreView(const SavedView& saved) {
    if (!SetFigurePoses(saved.figures))
        return "a figure's frame lies beyond its cycle: the view was saved with other figures";
    m_view.SetPlacement({{saved.eye.elevation, saved.eye.azimuth, saved.eye.distance},
                         {saved.light.elevation, saved.light.azimuth, saved.light.distance}});
    ApplyMode(saved.shadowMode);
    if (saved.comparedMode != NO_COMPARED_MODE_NAME)
        ApplyMode(saved.comparedMode);
    ShowLiveView(LiveViews::MAP_INSET, saved.inset);
    ShowLiveView(LiveViews::HEAT_COLOURS, saved.heatColours);
    ShowLiveView(LiveViews::READOUT, saved.readout);
    m_view.SetFiguresPaused(saved.paused);
    return "";
}

// The file read at start-up, with --eye and --light in place of its
// placements; --mode is applied after it.
bool DemoGlWindow::OpenStartUpView() {
    SavedView saved = *m_options.view;
    if (m_options.eye.set)
        saved.eye = m_options.eye;
    if (m_options.light.set)
        saved.light = m_options.light;
    const std::string problem = RestoreView(saved);
    if (problem.empty())
        return true;
    std::fprintf(stderr, "kvx-demo: %s: %s\n", m_options.viewFile.c_str(), problem.c_str());
    return false;
}

// The view is taken when the command is chosen, before the figures move on
// behind the dialog.
void DemoGlWindow::SaveViewChosen() {
    const SavedView saved = CurrentView();
    const std::string name = AskViewFileName("Save View", ".");
    if (name.empty())
        return;
    const std::string path = WithExtension(name);
    const std::string problem = WriteViewFile(path, saved);
    if (!problem.empty())
        ShowMessageBox("The view was not saved: " + path + " " + problem + ".");
}

void DemoGlWindow::OpenViewChosen() {
    const std::string path = AskViewFileName("Open View", ".");
    if (path.empty())
        return;
    SavedView saved;
    std::string problem = ReadViewFile(path, saved);
    if (problem.empty())
        problem = RestoreView(saved);
    if (!problem.empty())
        ShowMessageBox("The view file " + path + " cannot be opened: " + problem +
                       ". The view stays as it was.");
}
