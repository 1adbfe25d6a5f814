#pragma once

#include <optional>

#include "app/command_line.h"
#include "app/frame_benchmark.h"
#include "app/frame_overlays.h"
#include "app/help_panel.h"
#include "app/live_views.h"
#include "app/options_menu.h"
#include "app/placement_readout.h"
#include "app/view_file.h"
#include "gfx/gl_context_fltk.h"
#include "measure/measure_run.h"
#include "measure/progress_line.h"
#include "view/kvx_demo_view.h"

// The GL window that hosts the demo view: it turns FLTK's drawing, resizing
// and timeouts into the view's handlers, and counts frames for the
// automation options.
class DemoGlWindow : public Fl_Gl_Window, public ViewHost {
  public:
    DemoGlWindow(int x, int y, int w, int h, const RunOptions& options);
    ~DemoGlWindow() override;

    // Runs the view's start-up; false when the view could not be created.
    bool CreateView();
    CKVX_DemoView& View() { return m_view; }
    // The exit code requested through PostQuit, or 0.
    int ExitCode() const { return m_iExitCode; }

    // ViewHost
    Fl_Gl_Window* GlWindow() override { return this; }
    void SetTimer(unsigned id, unsigned periodMs) override;
    void KillTimer(unsigned id) override;
    void Invalidate() override { redraw(); }
    void SwapBuffers() override;
    void PostQuit(int exitCode) override;
    void CheckMenuItem(unsigned commandId, bool checked) override;

    // Turns one of the View menu's live views on or off (ID_VIEW_MAP_INSET,
    // ID_VIEW_HEAT_COLOURS, ID_VIEW_READOUT) and moves its check mark.
    void ToggleLiveView(unsigned commandId);
    // Turns one live view on or off, with its check mark.
    void ShowLiveView(LiveViews::View shown, bool on);
    // Turns the eye and light position (ID_VIEW_PLACEMENT) or the keys and
    // mouse help (ID_HELP_KEYS_AND_MOUSE) on or off.
    void ToggleOverlay(unsigned commandId);

    // The View menu's Save View... and Open View...: a file name asked for,
    // the whole view written to it or restored from it; a failure is shown
    // in a message box and changes nothing.
    void SaveViewChosen();
    void OpenViewChosen();

    // The menu whose check marks the view's commands move.
    void SetMenu(OptionsMenu* menu) { m_menu = menu; }

  protected:
    void draw() override;
    void flush() override;
    void resize(int x, int y, int w, int h) override;
    int handle(int event) override;

  private:
    static void OnTimeout(void* window);
    void ApplyMode(const std::string& mode);
    bool OpenStartUpView();
    SavedView CurrentView() const;
    std::string RestoreView(const SavedView& view);
    void QuitWithMessage(const std::string& text, int exitCode);
    void StopFrames(int exitCode);
    void FrameDone();
    void StartBenchBlock();
    void ShowLiveViewsAsked();
    bool CheckGlErrors();
    void Measure();
    void Sweep();
    void UseOverlays();
    CaptureHooks MeasuredFramesShown();

    CKVX_DemoView m_view;
    OptionsMenu* m_menu = nullptr;
    const RunOptions& m_options;
    unsigned m_uTimerId = 0;
    double m_dTimerPeriod = 0.0;
    bool m_bTimerRunning = false;
    bool m_bQuitting = false;
    int m_iFrames = 0;
    int m_iExitCode = 0;
    Stopwatch m_frameClock;  // started when the frame being rendered began
    FrameBenchmark m_benchmark;
    std::optional<ProgressLine> m_benchProgress;  // made when --bench starts
    LiveViews m_liveViews;
    PlacementReadout m_placementReadout;
    HelpPanel m_helpPanel;
    FrameOverlays m_overlays;  // the three above, in that order
    FrameBenchmark::RunFacts m_benchFacts;
};
