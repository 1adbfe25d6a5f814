#include "app/live_views.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "measure/colour_ramp.h"
#include "measure/map_coverage.h"
#include "measure/map_picture.h"
#include "measure/measure_run.h"
#include "measure/plain_pixels.h"
#include "measure/readout_line.h"
#include "measure/texel_density.h"
#include "platform/nv_program_layer.h"

namespace {

constexpr double READOUT_PERIOD_MS = 300.0;
constexpr int READOUT_REDUCTION = 4;
constexpr int READOUT_Y = 45;  // below the mode line and the frame rate
constexpr int TEXT_LEFT = 10;
constexpr int TEXT_LINE_ROWS = 25;  // from a line's top to the next line's
constexpr int TEXT_CHAR_MAX_WIDTH = 8;
constexpr Rgb KEY_PANEL_COLOUR = {236, 236, 236};

// The heat colours fade to pale behind the lines of text at the top left, so the black text
// stays readable over the sky's dark grey and the ramp's dark end. The area of a picture w x h
// that fades, where lines is how many lines there are, longest the characters of the longest.
BehindText TextArea(int w, int h, int lines, std::size_t longest) {
    return {std::min(w, TEXT_LEFT * 2 + TEXT_CHAR_MAX_WIDTH * static_cast<int>(longest)),
            std::min(h, lines * TEXT_LINE_ROWS)};
}

void FadeBehindText(RgbImage& picture, const BehindText& area) {
    for (int y = picture.height - area.rows; y < picture.height; ++y) {
        for (int x = 0; x < area.columns; ++x) {
            uint8_t* pixel = &picture.rgb[(static_cast<std::size_t>(y) * picture.width + x) * 3];
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<uint8_t>(255 - (255 - pixel[c]) / 4);
        }
    }
}

// The same fade over a rectangle of the window: three quarters of white
// added to a quarter of what is there.
void FadeWindowRect(const WindowRect& area) {
    const std::vector<uint8_t> white(static_cast<std::size_t>(area.width) * area.height * 4, 191);
    const PlainPixels plain;
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glWindowPos2i(area.x, area.y);
    glDrawPixels(area.width, area.height, GL_RGBA, GL_UNSIGNED_BYTE, white.data());
    glDisable(GL_BLEND);
}

// Dark lines of text for the keys, which lie on pale panels. The programs
// are off meanwhile, so the text has the colour given; the colour is as it
// was afterwards.
void PrintKeyTexts(GLContext& context, const std::vector<KeyText>& texts) {
    const PlainPixels plain;
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT);
    glDisable(NV_VERTEX_PROGRAM_TARGET);
    glColor3f(0.0f, 0.0f, 0.0f);
    for (const KeyText& t : texts)
        context.Print(t.x, t.top, "%s", t.text.c_str());
    glPopAttrib();
}

RgbImage Filled(int width, int height, Rgb colour) {
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.Set(x, y, colour);
    }
    return image;
}

// The view's passes render `factor` times smaller on each axis while this
// lives (the eye's projection is kept); the window's size afterwards.
class ReducedView {
  public:
    ReducedView(CKVX_DemoView& view, int factor)
        : m_context(view.m_glContext), m_width(m_context.m_iWidth), m_height(m_context.m_iHeight) {
        m_context.m_iWidth = std::max(1, m_width / factor);
        m_context.m_iHeight = std::max(1, m_height / factor);
    }
    ~ReducedView() {
        m_context.m_iWidth = m_width;
        m_context.m_iHeight = m_height;
        glViewport(0, 0, m_width, m_height);
    }
    ReducedView(const ReducedView&) = delete;
    ReducedView& operator=(const ReducedView&) = delete;

  private:
    GLContext& m_context;
    int m_width, m_height;
};

// What a key's lines of text say and where, to tell one key from another.
std::string Contents(const std::vector<KeyText>& texts) {
    std::string contents;
    for (const KeyText& t : texts)
        contents += std::to_string(t.x) + "," + std::to_string(t.top) + " " + t.text + "\n";
    return contents;
}

void DrawPanel(const PlainPixels& plain, const WindowRect& panel) {
    plain.Draw(Filled(panel.width, panel.height, KEY_PANEL_COLOUR), panel.x, panel.y);
}

}  // namespace

SceneReplacement LiveViews::ReplaceScene(CKVX_DemoView& view) {
    m_bHeatOnGpu = false;
    // The GPU's pass reads one map; cascades are coloured from a capture.
    const Parametrisation shown = view.CurrentParametrisation();
    if (!m_bOn[HEAT_COLOURS] || shown == PARAM_CSM || shown == PARAM_CSM_STABLE)
        return {};
    const SceneReplacement lookups =
        m_heat.Replacement(view.m_glContext.m_iWidth, view.m_glContext.m_iHeight);
    m_bHeatOnGpu = lookups.program != 0;
    return lookups;
}

void LiveViews::Draw(CKVX_DemoView& view) {
    const int w = view.m_glContext.m_iWidth;
    const int h = view.m_glContext.m_iHeight;
    // A view without area (a window no taller than its menu bar) shows none of
    // them, and a capture of no pixels would leave its programs bound.
    if (w <= 0 || h <= 0)
        return;
    const ShadowSetup setup = view.FrameSetup(view.CurrentParametrisation());
    if (m_bOn[READOUT] && (m_readout.empty() || m_sinceReadout.ElapsedMs() >= READOUT_PERIOD_MS))
        UpdateReadout(view, setup);
    const std::size_t hud = std::strlen(view.HudText());
    const BehindText text = TextArea(w, h, m_bOn[READOUT] ? 3 : 2,
                                     m_bOn[READOUT] ? std::max(hud, m_readout.size()) : hud);
    const std::vector<Point2D> trapezoid =
        m_bOn[MAP_INSET] ? StandardMapTrapezoid(view) : std::vector<Point2D>();
    const InsetLayout inset =
        PlaceInset(w, h, view.m_iShadowMapWidth, view.ModeLabel(),
                   MapPictureLegend(view.CurrentParametrisation(), !trapezoid.empty()));
    if (m_bHeatOnGpu) {
        {
            const PlainPixels plain;
            m_heat.Draw();
        }
        FadeWindowRect({0, h - text.rows, text.columns, text.rows});
    } else if (m_bOn[HEAT_COLOURS]) {
        DrawHeatFromCapture(view, setup, text);
    }
    if (m_bOn[HEAT_COLOURS])
        DrawHeatKey(view.m_glContext, PlaceHeatKey(w, h, m_bOn[MAP_INSET] ? AboveInset(inset) : 0));
    if (m_bOn[MAP_INSET])
        DrawInset(view, setup, inset, trapezoid);
    if (m_bOn[READOUT])
        view.m_glContext.Print(10, READOUT_Y, "%s", m_readout.c_str());
}

// The heat colours computed on the CPU from a capture of the lookups, for the
// parametrisations the GPU's pass does not colour.
void LiveViews::DrawHeatFromCapture(CKVX_DemoView& view, const ShadowSetup& setup,
                                    const BehindText& text) {
    ViewCapture* capture = Capture(view, m_heatCapture);
    if (capture == nullptr)
        return;
    RgbImage heat = DensityHeatmap(TexelsPerPixel(capture->Lookups(setup)));
    FadeBehindText(heat, text);
    PlainPixels().Draw(heat, 0, 0);
}

ViewCapture* LiveViews::Capture(CKVX_DemoView& view, CaptureSlot& slot) {
    const int w = view.m_glContext.m_iWidth;
    const int h = view.m_glContext.m_iHeight;
    if (slot.capture != nullptr && w == slot.width && h == slot.height)
        return slot.capture.get();
    slot.capture = std::make_unique<ViewCapture>(view);
    std::string error;
    if (!slot.capture->Create(error)) {
        slot.capture.reset();
        m_readout = error;
        return nullptr;
    }
    slot.width = w;
    slot.height = h;
    return slot.capture.get();
}

// The depth map the frame was drawn with, reduced to fit the corner: drawn by
// the GPU, or read back and drawn as --dump-shadowmap draws it where the GPU
// cannot; its legend above it.
void LiveViews::DrawInset(CKVX_DemoView& view, const ShadowSetup& setup, const InsetLayout& inset,
                          const std::vector<Point2D>& trapezoid) {
    const WindowRect& picture = inset.picture;
    const LiveMapInset::Place place{picture.x,
                                    picture.y,
                                    picture.width,
                                    inset.step,
                                    view.m_glContext.m_iWidth,
                                    view.m_glContext.m_iHeight};
    const std::vector<MapOutline> outlines = MapPictureOutlines(
        picture.width, inset.step, view.m_eyeCamera, view.m_lightCamera, setup, trapezoid);
    {
        const PlainPixels plain;
        if (!m_inset.Draw(view.m_uDepthTexture, place, outlines)) {
            const RgbImage read =
                OutlinedMapPicture(ViewCapture(view).DepthMap(), view.m_iShadowMapWidth, inset.step,
                                   view.m_eyeCamera, view.m_lightCamera, setup, trapezoid);
            plain.Draw(read, place.x, place.y);
        }
    }
    DrawLegend(view.m_glContext, inset);
}

// A readout switched on shows no line of an earlier view: its first line is
// made in the frame that first shows it.
void LiveViews::Show(View shown, bool on) {
    if (shown == READOUT && on && !m_bOn[READOUT])
        m_readout.clear();
    m_bOn[shown] = on;
}

// The median from the lookups of a picture READOUT_REDUCTION times smaller on
// each axis than the window: a small image to read back and go through, whose
// texels per pixel are READOUT_REDUCTION times the window's. A refresh is
// spread over three frames so that none waits for the GPU: one draws the
// lookups, the next starts reading them back, the third takes them. Only the
// first line is made within one frame.
void LiveViews::UpdateReadout(CKVX_DemoView& view, const ShadowSetup& setup) {
    const bool first = m_readout.empty();
    ViewCapture* capture = m_readoutCapture.capture.get();
    if (first || capture == nullptr || !capture->LookupsPending()) {
        if (!StartReadout(view, setup) || !first)
            return;
        capture = m_readoutCapture.capture.get();
    }
    PixelGrid<TexelLookup> lookups;
    do {
        if (capture->ContinueLookups(lookups)) {
            m_readout = ReadoutLine(m_readoutLabel, lookups, READOUT_REDUCTION, m_readoutCoverage);
            m_sinceReadout = Stopwatch();
            return;
        }
    } while (first && capture->LookupsPending());
}

bool LiveViews::StartReadout(CKVX_DemoView& view, const ShadowSetup& setup) {
    if (!PixelReadback::Available()) {
        m_readout = "the readout needs pixel buffer objects, which this OpenGL does not offer";
        return false;
    }
    const ReducedView reduced(view, READOUT_REDUCTION);
    ViewCapture* capture = Capture(view, m_readoutCapture);
    if (capture == nullptr)
        return false;
    capture->StartLookups(setup);
    m_readoutLabel = ParametrisationLabel(view.CurrentParametrisation());
    m_readoutCoverage = SetupCoverage(view.m_eyeCamera, view.m_lightCamera, setup);
    return true;
}

// The ramp as a bar with its values, on a pale panel.
void LiveViews::DrawHeatKey(GLContext& context, const HeatKeyLayout& key) {
    if (key.panel.width <= 0)
        return;
    m_heatKey.Draw(key.panel, Contents(key.texts), [&] {
        {
            const PlainPixels plain;
            DrawPanel(plain, key.panel);
            plain.Draw(HeatKeyBar(key.bar.width, key.bar.height), key.bar.x, key.bar.y);
        }
        PrintKeyTexts(context, key.texts);
    });
}

// The inset's mode and the colour of each outline, on a pale panel.
void LiveViews::DrawLegend(GLContext& context, const InsetLayout& inset) {
    if (inset.panel.width <= 0)
        return;
    std::string contents = Contents(inset.texts);
    for (const KeySwatch& s : inset.swatches)
        contents += std::to_string(s.colour.r) + "," + std::to_string(s.colour.g) + "," +
                    std::to_string(s.colour.b) + "\n";
    m_legend.Draw(inset.panel, contents, [&] {
        {
            const PlainPixels plain;
            DrawPanel(plain, inset.panel);
            for (const KeySwatch& s : inset.swatches)
                plain.Draw(Filled(s.place.width, s.place.height, s.colour), s.place.x, s.place.y);
        }
        PrintKeyTexts(context, inset.texts);
    });
}
