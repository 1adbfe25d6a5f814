#include "app/demo_gl_window.h"

#include <FL/Fl.H>
#include <FL/gl.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/process_figures.h"
#include "app/screenshot.h"
#include "app/view_input.h"
#include "measure/measure_run.h"
#include "measure/plain_pixels.h"
#include "measure/sweep_run.h"
#include "platform/message_box.h"
#include "view/command_ids.h"

namespace {

constexpr const char* LIVE_VIEWS_VARIABLE = "KVX_LIVE_VIEWS";
// The live views' keys in the order of LiveViews::View.
constexpr const char* LIVE_VIEW_KEYS = "mhr";

// glGetError returns one recorded error a call; a broken frame can record
// many, and the first few say enough.
constexpr int MAX_REPORTED_GL_ERRORS = 8;

// Closing every window ends Fl::run().
void CloseAllWindows() {
    while (Fl::first_window() != nullptr)
        Fl::first_window()->hide();
}

// Sets a camera's navigation values from a placement option, when given.
void PlaceOrbit(const OrbitOption& orbit, float& elevation, float& azimuth, float& distance) {
    if (!orbit.set)
        return;
    elevation = orbit.elevation;
    azimuth = orbit.azimuth;
    distance = -orbit.distance;  // the view keeps distances negated
}

// How the view's depth map reaches its scene pass, for the benchmark report.
std::string HandOverPath(const CKVX_DemoView& view) {
    const PbufferTarget* target = view.m_pDepthTarget.get();
    if (target != nullptr && target->CopiesOwnTexture())
        return "rendered into a depth texture of the target's own, copied into the depth "
               "texture by the driver where the casters can be (framebuffer object, image "
               "copy, fences)";
    if (target != nullptr && target->RendersIntoTexture()) {
        const std::string forced =
            PbufferRenderTexture::DirectForced()
                ? std::string("; ") + PbufferRenderTexture::FORCE_DIRECT_VARIABLE + " set"
                : "";
        return "rendered into the depth texture (framebuffer object, fences" + forced + ")";
    }
    if (PbufferRenderTexture::CopyForced())
        return std::string("copied into the depth texture (") +
               PbufferRenderTexture::FORCE_COPY_VARIABLE + " set)";
    return "copied into the depth texture (no framebuffer or sync objects)";
}

}  // namespace

DemoGlWindow::DemoGlWindow(int x, int y, int w, int h, const RunOptions& options)
    : Fl_Gl_Window(x, y, w, h), m_view(*this), m_options(options) {
    m_overlays.Add(m_liveViews);
    m_overlays.Add(m_placementReadout);
    m_overlays.Add(m_helpPanel);
}

DemoGlWindow::~DemoGlWindow() {
    KillTimer(m_uTimerId);
}

// Switches the view to a shadow mode named as on the command line, through
// the menu's own commands.
void DemoGlWindow::ApplyMode(const std::string& mode) {
    if (mode == "kvx-hq") {
        m_view.OnShadowKVXHighQuality();
    } else if (mode == "kvx") {
        m_view.OnShadowKVX();
    } else if (mode == "ssm") {
        m_view.OnShadowSSM();
    } else {
        Parametrisation compared;
        if (ParametrisationFromKey(mode.c_str(), compared))
            m_view.SetComparedMode(compared);
    }
}

bool DemoGlWindow::CreateView() {
    // The view's first projection uses the client size it is created with,
    // its cameras the placements the options ask for (--eye and --light before
    // a view file's), which Home returns to.
    m_view.m_glContext.m_iWidth = w();
    m_view.m_glContext.m_iHeight = h();
    const bool fromFile = m_options.view.has_value();
    PlaceOrbit(m_options.eye.set || !fromFile ? m_options.eye : m_options.view->eye,
               m_view.m_fEyeElevation, m_view.m_fEyeAzimuth, m_view.m_fEyeDistance);
    PlaceOrbit(m_options.light.set || !fromFile ? m_options.light : m_options.view->light,
               m_view.m_fLightElevation, m_view.m_fLightAzimuth, m_view.m_fLightDistance);
    if (m_view.OnCreate() != 0)
        return false;
    make_current();
    m_view.OnSize(w(), h());
    if (m_options.view && !OpenStartUpView())
        return false;
    if (m_options.bench) {
        m_benchProgress.emplace("frames", m_benchmark.TotalFrames());
        ApplyMode(m_benchmark.CurrentMode());
    } else if (!m_options.mode.empty()) {
        ApplyMode(m_options.mode);
    }
    if (!m_options.bench)
        ShowLiveViewsAsked();
    if (m_options.Measuring())
        Measure();
    return true;
}

// The measuring runs, then the end of the program; the frame loop never
// starts.
void DemoGlWindow::Measure() {
    if (!m_options.sweep.empty()) {
        Sweep();
        return;
    }
    MeasureRequest request;
    request.density = m_options.measure;
    request.stabilityFrames = m_options.stability;
    request.json = m_options.json;
    request.dumpShadowMap = m_options.dumpShadowMap;
    request.heatmap = m_options.heatmap;
    std::string report, error;
    if (!RunMeasurements(m_view, request, MeasuredFramesShown(), report, error)) {
        QuitWithMessage(error, 1);
        return;
    }
    std::fputs(report.c_str(), stdout);
    std::fflush(stdout);
    PostQuit(0);
}

// A sweep over a grid of views, written to its file; nothing on standard
// output.
void DemoGlWindow::Sweep() {
    const SweepRequest request{m_options.sweep, m_options.sweepGrid, m_options.shard,
                               m_options.stability};
    std::string error;
    if (!RunSweep(m_view, request, MeasuredFramesShown(), error)) {
        QuitWithMessage(error, 1);
        return;
    }
    PostQuit(0);
}

// The figures move only between the frames of the loop, which never runs
// while measuring: they hold still through every capture as they are. The
// window shows each frame measured instead of staying black.
CaptureHooks DemoGlWindow::MeasuredFramesShown() {
    CaptureHooks hooks;
    hooks.show = [this](const RgbImage& picture) {
        PlainPixels().Draw(picture, 0, 0);
        swap_buffers();
    };
    return hooks;
}

void DemoGlWindow::ToggleLiveView(unsigned commandId) {
    const LiveViews::View shown = commandId == ID_VIEW_MAP_INSET      ? LiveViews::MAP_INSET
                                  : commandId == ID_VIEW_HEAT_COLOURS ? LiveViews::HEAT_COLOURS
                                                                      : LiveViews::READOUT;
    ShowLiveView(shown, !m_liveViews.IsOn(shown));
}

// A diagnostic for automation: the live views named by their keys in
// KVX_LIVE_VIEWS ("h", "mhr", ...) are on from the first frame.
void DemoGlWindow::ShowLiveViewsAsked() {
    const char* keys = std::getenv(LIVE_VIEWS_VARIABLE);
    for (; keys != nullptr && *keys != '\0'; ++keys) {
        const char* known = std::strchr(LIVE_VIEW_KEYS, std::tolower(*keys));
        if (known != nullptr)
            ShowLiveView(static_cast<LiveViews::View>(known - LIVE_VIEW_KEYS), true);
    }
}

void DemoGlWindow::ShowLiveView(LiveViews::View shown, bool on) {
    static const unsigned COMMANDS[LiveViews::VIEW_COUNT] = {ID_VIEW_MAP_INSET,
                                                             ID_VIEW_HEAT_COLOURS, ID_VIEW_READOUT};
    m_liveViews.Show(shown, on);
    CheckMenuItem(COMMANDS[shown], on);
    m_overlays.Show(m_liveViews, m_liveViews.AnyOn());
    UseOverlays();
}

void DemoGlWindow::ToggleOverlay(unsigned commandId) {
    const FrameOverlay* overlay = &m_helpPanel;
    if (commandId == ID_VIEW_PLACEMENT)
        overlay = &m_placementReadout;
    const bool on = !m_overlays.IsOn(*overlay);
    m_overlays.Show(*overlay, on);
    CheckMenuItem(commandId, on);
    UseOverlays();
}

// The view draws over its frames only while something is to be drawn.
void DemoGlWindow::UseOverlays() {
    m_view.m_pOverlay = m_overlays.AnyOn() ? &m_overlays : nullptr;
}

// The benchmark's next block: its mode, stage timing and live view.
void DemoGlWindow::StartBenchBlock() {
    ApplyMode(m_benchmark.CurrentMode());
    m_view.SetStageTiming(m_benchmark.TimingStages());
    for (int v = 0; v < LiveViews::VIEW_COUNT; ++v)
        ShowLiveView(static_cast<LiveViews::View>(v), v == m_benchmark.LiveView());
}

void DemoGlWindow::SetTimer(unsigned id, unsigned periodMs) {
    KillTimer(m_uTimerId);
    m_uTimerId = id;
    m_dTimerPeriod = periodMs / 1000.0;
    Fl::add_timeout(m_dTimerPeriod, OnTimeout, this);
    m_bTimerRunning = true;
}

void DemoGlWindow::KillTimer(unsigned id) {
    if (!m_bTimerRunning || id != m_uTimerId)
        return;
    Fl::remove_timeout(OnTimeout, this);
    m_bTimerRunning = false;
}

// A tick while the window cannot be seen (unmapped, iconified, or in a main
// window that is) draws nothing: the frame would cost a core for no one. The
// window is painted again when it is mapped, and the ticks go on drawing.
void DemoGlWindow::OnTimeout(void* data) {
    DemoGlWindow* window = static_cast<DemoGlWindow*>(data);
    Fl::repeat_timeout(window->m_dTimerPeriod, OnTimeout, data);
    if (!window->visible_r())
        return;
    window->m_frameClock = Stopwatch();
    window->m_view.OnTimer(window->m_uTimerId);
}

// Paints black until the view draws its frames. The context is the view's
// own once the view's start-up has begun, and a message box during the
// start-up lets FLTK paint the window: the clear colour is put back, so the
// view's sky survives.
void DemoGlWindow::draw() {
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glPopAttrib();
}

// Once the view exists, a paint is one of its frames, presented by the view
// itself like a timer frame.
void DemoGlWindow::flush() {
    if (!m_view.IsCreated()) {
        Fl_Gl_Window::flush();
        return;
    }
    m_frameClock = Stopwatch();
    m_view.OnPaint();
}

void DemoGlWindow::resize(int x, int y, int w, int h) {
    Fl_Gl_Window::resize(x, y, w, h);
    if (!m_view.IsCreated())
        return;
    make_current();
    m_view.OnSize(w, h);
}

int DemoGlWindow::handle(int event) {
    if (!m_view.IsCreated())
        return Fl_Gl_Window::handle(event);
    return DispatchInputEvent(m_view, event) != 0 ? 1 : Fl_Gl_Window::handle(event);
}

void DemoGlWindow::CheckMenuItem(unsigned commandId, bool checked) {
    if (m_menu != nullptr)
        m_menu->Check(commandId, checked);
}

void DemoGlWindow::SwapBuffers() {
    if (m_bQuitting)
        return;
    const bool last = m_options.frames > 0 && m_iFrames + 1 == m_options.frames;
    if (last && !m_options.screenshot.empty()) {
        std::string error;
        glReadBuffer(GL_BACK);
        if (!SaveScreenshot(m_options.screenshot, w(), h(), error)) {
            QuitWithMessage(error, 1);
            return;
        }
    }
    swap_buffers();
    if (m_options.checkGl && !CheckGlErrors())
        return;
    FrameDone();
}

// Reports the OpenGL errors raised since the last frame and ends the
// program when there was one.
bool DemoGlWindow::CheckGlErrors() {
    GLenum error = glGetError();
    if (error == GL_NO_ERROR)
        return true;
    std::string text = "OpenGL error after frame " + std::to_string(m_iFrames + 1) + ":";
    for (int i = 0; i < MAX_REPORTED_GL_ERRORS && error != GL_NO_ERROR; ++i) {
        char code[16];
        std::snprintf(code, sizeof code, " 0x%04X", error);
        text += code;
        error = glGetError();
    }
    QuitWithMessage(text, 1);
    return false;
}

// Counts frames for --frames and measures them for --bench.
void DemoGlWindow::FrameDone() {
    ++m_iFrames;
    if (m_options.bench) {
        glFinish();
        m_view.EndStage(&FrameTimings::presentMs);
        if (m_iFrames == 1) {
            m_benchFacts.startUpSeconds = SecondsSinceProcessStart();
            m_benchFacts.residentMiB = ResidentMemoryMiB();
        }
        const std::string running = "bench, " + m_benchmark.BlockName();
        const bool blockEnded =
            m_benchmark.AddFrame(m_frameClock.ElapsedMs(), m_view.LastFrameTimings());
        m_benchProgress->Show(running, m_benchmark.FramesDone());
        if (blockEnded) {
            if (m_benchmark.CurrentMode() == nullptr) {
                m_benchFacts.handOver = HandOverPath(m_view);
                m_benchFacts.width = w();
                m_benchFacts.height = h();
                const std::string report = m_options.json ? m_benchmark.ReportJson(m_benchFacts)
                                                          : m_benchmark.Report(m_benchFacts);
                std::fputs(report.c_str(), stdout);
                PostQuit(0);
                return;
            }
            StartBenchBlock();
        }
    }
    if (m_options.frames > 0 && m_iFrames >= m_options.frames)
        PostQuit(0);
}

void DemoGlWindow::PostQuit(int exitCode) {
    if (m_bQuitting)
        return;
    StopFrames(exitCode);
    CloseAllWindows();
}

// The frames stop before the box is shown: a frame behind it could fail again, and a second box
// is refused while one is open. The windows close once the box is answered.
void DemoGlWindow::QuitWithMessage(const std::string& text, int exitCode) {
    if (m_bQuitting)
        return;
    StopFrames(exitCode);
    ShowMessageBox(text);
    CloseAllWindows();
}

void DemoGlWindow::StopFrames(int exitCode) {
    m_bQuitting = true;
    m_iExitCode = exitCode;
    KillTimer(m_uTimerId);
}
