#pragma once

#include <GL/glew.h>

#include <memory>
#include <vector>

#include "gfx/gl_context.h"
#include "gfx/pbuffer_target.h"
#include "math/camera.h"
#include "math/texel_rect.h"
#include "scene/scene.h"
#include "sound/sound.h"
#include "view/camera_placement.h"
#include "view/frame_rate.h"
#include "view/frame_timings.h"
#include "view/view_host.h"
#include "warp/shadow_setup.h"

enum ShadowMode { SHADOW_KVX = 0, SHADOW_SSM = 1 };
enum NavigationMode { NAV_EYE = 0, NAV_LIGHT = 1 };
// No parametrisation chosen outside the Options menu.
constexpr int NO_COMPARED_MODE = -1;

class CKVX_DemoView;

// What the frame's scene pass draws instead of the shaded scene: a GLSL
// program in place of the scene fragment program, over its own clear colour,
// into the window or a framebuffer object of the window's size. Program 0
// keeps the shaded scene.
struct SceneReplacement {
    GLuint program = 0;
    GLfloat clear[4] = {};
    GLuint framebuffer = 0;  // 0: the window
};

// Drawn over the scene after the scene pass when the window asks for it;
// it leaves the scene pass's state as it found it. Before the frame's passes
// it may replace what the scene pass draws.
class FrameOverlay {
  public:
    virtual ~FrameOverlay() = default;
    virtual SceneReplacement ReplaceScene(CKVX_DemoView&) { return {}; }
    virtual void Draw(CKVX_DemoView& view) = 0;
};

enum MouseAction { MOUSE_NONE = -1, MOUSE_ROTATE = 0, MOUSE_DRAG = 1, MOUSE_ZOOM = 2 };

// The demo's one view: it owns the rendering contexts, the eye and light
// cameras with their navigation parameters, the depth target, the GPU
// programs and the modes. Its creation runs the program's start-up; its timer
// renders a frame every tick.
class CKVX_DemoView {
  public:
    static constexpr unsigned FRAME_TIMER_ID = 275;
    static constexpr unsigned FRAME_TIMER_MS = 5;

    explicit CKVX_DemoView(ViewHost& host);
    ~CKVX_DemoView();
    CKVX_DemoView(const CKVX_DemoView&) = delete;
    CKVX_DemoView& operator=(const CKVX_DemoView&) = delete;

    // Start-up; 0 on success, -1 when the view must not be created.
    int OnCreate();
    void OnSize(int cx, int cy);
    void OnPaint();
    void OnTimer(unsigned id);

    // The one handler of mouse and key messages (see view/input_message.h);
    // x and y are client pixels. Returns 0.
    int OnInputMessage(unsigned message, unsigned flags, int x, int y);
    void ApplyMouseDrag(unsigned flags, int x, int y);
    // Moves the camera the navigation mode chooses nearer (notches < 0) or
    // farther (notches > 0), as Shift + drag does, within the same limits.
    void ApplyMouseWheel(int notches);

    // Where the cameras are, as their navigation values say.
    CameraPlacement Placement() const;
    // Moves both cameras to a placement.
    void SetPlacement(const CameraPlacement& placement);
    // Both cameras back where the start-up put them; modes stay as they are.
    void OnStartUpView();

    // Menu commands.
    void OnShadowKVX();
    void OnShadowKVXHighQuality();
    void OnShadowSSM();
    void OnNavigationEye();
    void OnNavigationLight();
    void OnSoundOn();
    void OnSoundOff();
    // Stops or resumes the figures' animation, with the View menu's check
    // mark; the frames go on drawing the pose they stopped at.
    void SetFiguresPaused(bool paused);
    bool FiguresPaused() const { return m_bFiguresPaused; }

    // Both passes of one frame.
    void RenderFrame();
    // N_T for the current cameras and shadow mode: the identity in SSM.
    gmtl::Matrix44f FrameWarp() const;
    // The depth pass and the scene pass with a given N_T, so that a map fitted
    // for one eye can be looked up from another.
    void RenderPasses(const gmtl::Matrix44f& nt);
    void UpdateHudText();
    // The shadow mode as the mode line names it ("KVX High Quality", "KVX",
    // "SSM", or the compared parametrisation's label).
    const char* ModeLabel() const;

    // LiSPSM or CSM instead of the Options menu's shadow mode, or
    // NO_COMPARED_MODE to return to it. The Options menu's filter (one or
    // five lookups) applies to them too.
    void SetComparedMode(int parametrisation);
    // The parametrisation the frames show.
    Parametrisation CurrentParametrisation() const;
    // What a parametrisation hands the passes for the cameras as they are.
    ShadowSetup FrameSetup(Parametrisation p);
    // Both passes for a setup, with the given scene fragment program in place
    // of the current one (its cascaded form for a cascaded setup, see
    // view/cascade_programs.h).
    void RenderSetup(const ShadowSetup& setup, GLuint fragmentProgram);
    // The scene pass alone, as RenderSetup draws it, over the depth map that the
    // last passes left: for a program that does not read the map, so that the
    // map need not be drawn again.
    void RenderScenePass(const ShadowSetup& setup, GLuint fragmentProgram);
    // The cascaded form of one of the two scene fragment programs, loaded
    // when first asked for.
    GLuint CascadeProgramFor(GLuint sceneProgram);
    // False when a required extension is missing (reported, quit requested).
    bool CheckExtensions();

    bool IsCreated() const { return m_bCreated; }
    const char* HudText() const { return m_szHud; }
    const FrameTimings& LastFrameTimings() const { return m_lastTimings; }
    // With finish, the GPU completes each stage's work before the stage's time
    // is taken, so that the stages' times show where a frame's time goes.
    void SetStageTiming(bool finish) { m_bFinishStages = finish; }
    // Ends the stage running since the last one ended: its time goes to stage.
    void EndStage(double FrameTimings::*stage);

    GLContext m_glContext;
    int m_iLastMouseX = 0;
    int m_iLastMouseY = 0;
    float m_fEyeElevation = 20.0f;
    float m_fEyeAzimuth = -135.0f;
    float m_fEyeDistance = -160.0f;
    float m_fLightElevation = 90.0f;
    float m_fLightAzimuth = -135.0f;
    float m_fLightDistance = -1200.0f;
    Camera m_eyeCamera;
    Camera m_lightCamera;
    int m_iShadowMode = SHADOW_KVX;
    int m_iMouseAction = MOUSE_NONE;
    int m_iNavigationMode = NAV_EYE;
    GLuint m_uDepthVertexProgram = 0;
    GLuint m_uDepthFragmentProgram = 0;
    GLuint m_uSceneVertexProgram = 0;
    GLuint m_uSceneFragmentProgram = 0;
    GLuint m_uSceneFragmentProgramHQ = 0;
    GLuint m_uCurrentFragmentProgram = 0;
    int m_iShadowMapWidth = 0;
    int m_iShadowMapHeight = 0;
    GLuint m_uDepthTexture = 0;
    std::unique_ptr<PbufferTarget> m_pDepthTarget;
    bool m_bSoundAvailable = false;
    bool m_bSoundOn = false;
    SoundState m_sound;  // the background sample and the sound zones
    char m_szHud[512] = {};
    int m_iComparedMode = NO_COMPARED_MODE;
    FrameOverlay* m_pOverlay = nullptr;  // owned by the window; null: nothing drawn
    // The depth pass's objects with their boxes, taken once the scene is loaded.
    std::vector<CasterBounds> m_depthCasters;
    // The terrain's chunks' boxes, taken with the casters.
    std::vector<gmtl::AABoxf> m_terrainChunkBoxes;
    // Set to anything but "" or "0", the scene pass draws as first written:
    // every lookup, the objects in their listed order, every face.
    static constexpr const char* DRAW_EVERYTHING_VARIABLE = "KVX_DRAW_EVERYTHING";

  private:
    // The navigation parameters of one camera and their limits.
    struct Orbit {
        float* elevation;
        float* azimuth;
        float* distance;  // stored negated
        Camera* camera;
        float elevationMin, elevationMax;
        float distanceMin, distanceMax;
    };

    bool ChosenOrbit(Orbit& orbit);
    void CheckShadowItem(unsigned chosen);
    void CheckComparedItems(int parametrisation);
    bool CreateDepthTarget();
    void SetUpDepthTargetState();
    void LoadScenePrograms();
    void DepthPass(const gmtl::Matrix44f& nt, bool wholeMap);
    void ClearDepthMap();
    // spareLookups: the depth map was drawn in one pass over the whole map,
    // with its casters' rectangles and map matrix kept for the scene pass.
    void ScenePass(const gmtl::Matrix44f& nt, bool spareLookups);
    void DrawScene(bool spareLookups);
    std::vector<bool> TerrainInShadowReach(bool spareLookups) const;
    static bool DrawEverythingAsked();
    void ClipDepthTarget(const MapPart* part);
    void SetCascadeParameters(const ShadowSetup& setup, GLuint program);

    ViewHost& m_host;
    FrameRate m_frameRate;
    FrameTimings m_lastTimings;
    Stopwatch m_stageClock;
    bool m_bFinishStages = false;
    bool m_bCreated = false;               // start-up done: frames may run
    bool m_bFiguresPaused = false;         // the frames do not move the figures on
    SceneReplacement m_sceneReplacement;   // for the frame being drawn only
    CameraPlacement m_startUpPlacement;    // where the start-up put the cameras
    GLuint m_uCascadeFragmentProgram = 0;  // 0 until first asked for
    GLuint m_uCascadeFragmentProgramHQ = 0;
    GLuint m_uUnshadowedFragmentProgram = 0;  // the scene programs less the lookup
    bool m_bDrawEverything = false;           // DRAW_EVERYTHING_VARIABLE set at start-up
    std::vector<TexelRect> m_casterRects;     // of the last pass over the whole map
    gmtl::Matrix44f m_mapClip;                // N_T P_L C_L of that pass
};
