// Menu commands: the mode line and the check marks after each step.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/view/view_test_window.h"
#include "view/command_ids.h"

namespace {

using Command = void (CKVX_DemoView::*)();
using Mark = std::pair<unsigned, bool>;

using Commands = SharedViewWindowTest<320, 240>;

TEST_F(Commands, StartUpModeLine) {
    // A fresh view in its own window, since the suite's one has run commands.
    ViewTestWindow fresh(160, 120);
    ASSERT_TRUE(fresh.Start());
    EXPECT_STREQ(fresh.view.HudText(), "Mode: KVX High Quality, Navigation: Eye");
}

TEST_F(Commands, ModeLineAfterEachStep) {
    struct Step {
        Command command;
        const char* hud;
    };
    const std::vector<std::vector<Step>> sequences = {
        {{&CKVX_DemoView::OnShadowSSM, "Mode: SSM, Navigation: Eye"},
         {&CKVX_DemoView::OnShadowKVX, "Mode: KVX, Navigation: Eye"}},
        {{&CKVX_DemoView::OnShadowSSM, "Mode: SSM, Navigation: Eye"},
         {&CKVX_DemoView::OnShadowKVXHighQuality, "Mode: KVX High Quality, Navigation: Eye"}},
        {{&CKVX_DemoView::OnShadowKVX, "Mode: KVX, Navigation: Eye"},
         {&CKVX_DemoView::OnShadowKVX, "Mode: KVX, Navigation: Eye"}},
        {{&CKVX_DemoView::OnNavigationLight, "Mode: KVX, Navigation: Light"},
         {&CKVX_DemoView::OnShadowKVXHighQuality, "Mode: KVX High Quality, Navigation: Light"},
         {&CKVX_DemoView::OnNavigationEye, "Mode: KVX High Quality, Navigation: Eye"}},
    };
    for (const auto& sequence : sequences) {
        for (const Step& step : sequence) {
            (window->view.*step.command)();
            EXPECT_STREQ(window->view.HudText(), step.hud);
        }
    }
}

TEST_F(Commands, CheckMarksMoveWithinTheirGroup) {
    const struct {
        Command command;
        std::vector<Mark> marks;
    } cases[] = {
        {&CKVX_DemoView::OnShadowKVX,
         {{ID_SHADOW_KVX, true}, {ID_SHADOW_KVX_HIGH_QUALITY, false}, {ID_SHADOW_SSM, false}}},
        {&CKVX_DemoView::OnShadowKVXHighQuality,
         {{ID_SHADOW_KVX, false}, {ID_SHADOW_KVX_HIGH_QUALITY, true}, {ID_SHADOW_SSM, false}}},
        {&CKVX_DemoView::OnShadowSSM,
         {{ID_SHADOW_KVX, false}, {ID_SHADOW_KVX_HIGH_QUALITY, false}, {ID_SHADOW_SSM, true}}},
        {&CKVX_DemoView::OnNavigationEye,
         {{ID_NAVIGATION_EYE, true}, {ID_NAVIGATION_LIGHT, false}}},
        {&CKVX_DemoView::OnNavigationLight,
         {{ID_NAVIGATION_EYE, false}, {ID_NAVIGATION_LIGHT, true}}},
    };
    for (const auto& c : cases) {
        window->checkMarks.clear();
        (window->view.*c.command)();
        EXPECT_EQ(window->checkMarks, c.marks);
    }
}

// LiSPSM and the CSMs from the View menu name themselves in the mode line; a
// shadow mode from the Options menu takes their place and their mark.
TEST_F(Commands, ComparedModesAndBack) {
    CKVX_DemoView& view = window->view;
    view.OnShadowKVX();
    window->checkMarks.clear();
    view.SetComparedMode(PARAM_CSM);
    EXPECT_STREQ(view.HudText(), "Mode: CSM, Navigation: Eye");
    EXPECT_EQ(window->checkMarks,
              (std::vector<Mark>{
                  {ID_VIEW_LISPSM, false}, {ID_VIEW_CSM, true}, {ID_VIEW_CSM_STABLE, false}}));
    view.SetComparedMode(PARAM_CSM_STABLE);
    EXPECT_STREQ(view.HudText(), "Mode: CSM stable, Navigation: Eye");
    view.SetComparedMode(PARAM_LISPSM);
    EXPECT_STREQ(view.HudText(), "Mode: LiSPSM, Navigation: Eye");
    EXPECT_EQ(view.CurrentParametrisation(), PARAM_LISPSM);
    window->checkMarks.clear();
    view.OnShadowSSM();
    EXPECT_STREQ(view.HudText(), "Mode: SSM, Navigation: Eye");
    EXPECT_EQ(view.CurrentParametrisation(), PARAM_SSM);
    EXPECT_EQ(window->checkMarks, (std::vector<Mark>{{ID_SHADOW_KVX, false},
                                                     {ID_SHADOW_KVX_HIGH_QUALITY, false},
                                                     {ID_SHADOW_SSM, true},
                                                     {ID_VIEW_LISPSM, false},
                                                     {ID_VIEW_CSM, false},
                                                     {ID_VIEW_CSM_STABLE, false}}));
}

TEST_F(Commands, SoundCommandsDoNothingWithoutSound) {
    CKVX_DemoView& view = window->view;
    const bool available = view.m_bSoundAvailable;
    view.m_bSoundAvailable = false;
    view.m_bSoundOn = false;
    window->checkMarks.clear();
    view.OnSoundOn();
    view.OnSoundOff();
    EXPECT_TRUE(window->checkMarks.empty());
    EXPECT_FALSE(view.m_bSoundOn);
    view.m_bSoundAvailable = available;
}

}  // namespace
