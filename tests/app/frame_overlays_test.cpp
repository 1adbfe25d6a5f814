// What the window draws over a real view's frames besides the live views:
// the overlays in turn, the help panel and the position line on their boxes,
// clipped to any window, with the next frame drawn as if they had not been.

#include "app/frame_overlays.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/help_panel.h"
#include "app/keys_and_mouse.h"
#include "app/placement_readout.h"
#include "tests/view/view_test_window.h"

namespace {

constexpr int WIDTH = 640;
constexpr int HEIGHT = 480;

using Overlays = SharedViewWindowTest<WIDTH, HEIGHT>;

// Records what it was asked, under its name.
class Recording : public FrameOverlay {
  public:
    Recording(std::string name, GLuint program, std::vector<std::string>& log)
        : m_name(std::move(name)), m_program(program), m_log(log) {}
    SceneReplacement ReplaceScene(CKVX_DemoView&) override {
        m_log.push_back("replace " + m_name);
        SceneReplacement replacement;
        replacement.program = m_program;
        return replacement;
    }
    void Draw(CKVX_DemoView&) override { m_log.push_back("draw " + m_name); }

  private:
    std::string m_name;
    GLuint m_program;
    std::vector<std::string>& m_log;
};

TEST_F(Overlays, OnesThatAreOnAreAskedAndDrawnInTurn) {
    std::vector<std::string> log;
    Recording live("live", 0, log), heat("heat", 7, log), help("help", 9, log);
    FrameOverlays overlays;
    EXPECT_FALSE(overlays.AnyOn());
    for (Recording* overlay : {&live, &heat, &help})
        overlays.Add(*overlay);
    EXPECT_FALSE(overlays.AnyOn());
    overlays.Show(live, true);
    overlays.Show(help, true);
    EXPECT_TRUE(overlays.AnyOn());
    EXPECT_FALSE(overlays.IsOn(heat));
    EXPECT_EQ(overlays.ReplaceScene(window->view).program, 9u);
    overlays.Show(heat, true);
    EXPECT_EQ(overlays.ReplaceScene(window->view).program, 7u);
    overlays.Show(live, false);
    overlays.Draw(window->view);
    EXPECT_EQ(log,
              (std::vector<std::string>{"replace live", "replace help", "replace live",
                                        "replace heat", "replace help", "draw heat", "draw help"}));
}

// RGB rows from the bottom, as the window reads them back.
uint32_t PixelAt(const std::vector<unsigned char>& rgb, int x, int yFromTop) {
    const std::size_t at = (static_cast<std::size_t>(HEIGHT - 1 - yFromTop) * WIDTH + x) * 3;
    return uint32_t(rgb[at]) << 16 | uint32_t(rgb[at + 1]) << 8 | rgb[at + 2];
}

bool Inside(const TextBox& box, int x, int y) {
    return x >= box.left && x < box.left + box.width && y >= box.top && y < box.top + box.height;
}

TEST_F(Overlays, HelpAndPositionDrawOnTheirBoxesAndLeaveTheFramesState) {
    CKVX_DemoView& view = window->view;
    GLContext& context = view.m_glContext;
    const std::vector<unsigned char> plain = window->RenderAndRead();
    HelpPanel help;
    PlacementReadout position;
    FrameOverlays overlays;
    overlays.Add(position);
    overlays.Add(help);
    overlays.Show(position, true);
    overlays.Show(help, true);
    view.RenderFrame();
    overlays.Draw(view);
    const std::vector<unsigned char> drawn = window->Read();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const TextBox panel =
        LayOutHelpPanel(KeysAndMouse(), WIDTH, HEIGHT, context.m_iFontHeight + 4,
                        [&context](const std::string& text) { return context.TextWidth(text); })
            .box;
    // The position line's box: at the bottom left, a line high.
    const TextBox line{10, HEIGHT - 10 - context.m_iFontHeight - 8, 300, context.m_iFontHeight + 8};
    int outsideChanged = 0, panelGrey = 0, panelWhite = 0, lineWhite = 0;
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            const uint32_t p = PixelAt(drawn, x, y);
            if (Inside(panel, x, y)) {
                panelGrey += p == 0x1f1f1f ? 1 : 0;
                panelWhite += p == 0xffffff ? 1 : 0;
            } else if (Inside(line, x, y)) {
                lineWhite += p == 0xffffff ? 1 : 0;
            } else {
                outsideChanged += p != PixelAt(plain, x, y) ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(outsideChanged, 0);
    EXPECT_GT(panelGrey, panel.width * panel.height / 2);
    EXPECT_GT(panelWhite, 1000) << "the panel shows no text";
    EXPECT_GT(lineWhite, 200) << "the position line shows no text";
    EXPECT_EQ(window->RenderAndRead(), plain) << "the next frame is drawn otherwise";
}

// In a view of a few pixels, or of none, the boxes are cut to the view and no
// OpenGL error is raised.
TEST_F(Overlays, AViewOfFewPixelsRaisesNoError) {
    CKVX_DemoView& view = window->view;
    HelpPanel help;
    PlacementReadout position;
    for (const auto& [w, h] : {std::pair{1, 1}, {5, 5}, {2, 300}, {400, 3}, {200, 150}, {0, 0}}) {
        view.OnSize(w, h);
        window->make_current();
        view.RenderFrame();
        help.Draw(view);
        position.Draw(view);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << w << " x " << h;
    }
    view.OnSize(WIDTH, HEIGHT);
}

}  // namespace
