// Switching rendering into depth targets and back.

#include <memory>

#include "gfx/pbuffer_target.h"
#include "tests/gfx/pbuffer_glx_fixture.h"

namespace {

const char kProgramMode[] = "rgba depth=24 textureRECT=depth";

class PbufferCaptureTest : public GlxWindowTest {
  protected:
    void SetUp() override {
        GlxWindowTest::SetUp();
        m_first = std::make_unique<PbufferTarget>(kProgramMode);
        m_second = std::make_unique<PbufferTarget>(kProgramMode);
        ASSERT_TRUE(m_first->Create(32, 32, false, true));
        ASSERT_TRUE(m_second->Create(32, 32, false, true));
    }
    // The targets go before the display closes.
    void TearDown() override {
        m_first.reset();
        m_second.reset();
        GlxWindowTest::TearDown();
    }

    static bool IsCurrentIn(const PbufferTarget& target) {
        return IsCurrent(target.Context(), target.Pbuffer());
    }

    std::unique_ptr<PbufferTarget> m_first;
    std::unique_ptr<PbufferTarget> m_second;
};

TEST_F(PbufferCaptureTest, BeginSwitchesToTargetAndEndBackToWindow) {
    m_first->BeginCapture(nullptr);
    EXPECT_TRUE(IsCurrentIn(*m_first));
    EXPECT_TRUE(m_first->IsCapturing());
    m_first->EndCapture();
    EXPECT_TRUE(WindowIsCurrent());
    EXPECT_FALSE(m_first->IsCapturing());
}

TEST_F(PbufferCaptureTest, EndWithoutBeginChangesNothing) {
    m_first->EndCapture();
    EXPECT_TRUE(WindowIsCurrent());
    m_first->BeginCapture(nullptr);
    m_first->EndCapture();
    m_first->EndCapture();
    EXPECT_TRUE(WindowIsCurrent());
}

TEST_F(PbufferCaptureTest, SecondBeginKeepsFirstPreviousContext) {
    m_first->BeginCapture(nullptr);
    m_first->BeginCapture(nullptr);
    EXPECT_TRUE(IsCurrentIn(*m_first));
    m_first->EndCapture();
    EXPECT_TRUE(WindowIsCurrent());
}

TEST_F(PbufferCaptureTest, BeginWithItselfAsOtherDoesNothing) {
    m_first->BeginCapture(m_first.get());
    EXPECT_FALSE(m_first->IsCapturing());
    EXPECT_TRUE(WindowIsCurrent());
}

TEST_F(PbufferCaptureTest, HandOverGoesStraightBackToWindow) {
    m_first->BeginCapture(nullptr);
    m_second->BeginCapture(m_first.get());
    EXPECT_TRUE(IsCurrentIn(*m_second));
    EXPECT_FALSE(m_first->IsCapturing());
    EXPECT_TRUE(m_second->IsCapturing());
    m_first->EndCapture();  // no longer capturing: nothing happens
    EXPECT_TRUE(IsCurrentIn(*m_second));
    m_second->EndCapture();
    EXPECT_TRUE(WindowIsCurrent());
}

TEST_F(PbufferCaptureTest, HandOverFromTargetThatIsNotCapturingRemembersCurrent) {
    m_first->BeginCapture(nullptr);
    m_second->BeginCapture(nullptr);  // nested: remembers the first target
    m_second->EndCapture();
    EXPECT_TRUE(IsCurrentIn(*m_first));
    m_first->BeginCapture(m_second.get());  // second is not capturing: no hand-over
    EXPECT_TRUE(IsCurrentIn(*m_first));
    m_first->EndCapture();
    EXPECT_TRUE(WindowIsCurrent());
}

TEST_F(PbufferCaptureTest, HandBackToTargetBeneathKeepsItsWayToWindow) {
    m_first->BeginCapture(nullptr);
    m_second->BeginCapture(nullptr);  // remembers the first target's context
    m_first->BeginCapture(m_second.get());
    EXPECT_TRUE(IsCurrentIn(*m_first));
    EXPECT_FALSE(m_second->IsCapturing());
    m_first->EndCapture();
    EXPECT_TRUE(WindowIsCurrent());
}

TEST_F(PbufferCaptureTest, BeginWithNothingCurrentEndsWithNothingCurrent) {
    ReleaseCurrent();
    m_first->BeginCapture(nullptr);
    EXPECT_TRUE(IsCurrentIn(*m_first));
    m_first->EndCapture();
    EXPECT_EQ(CurrentContext(), nullptr);
}

TEST_F(PbufferCaptureTest, BeginBeforeCreateDoesNothing) {
    PbufferTarget uncreated(kProgramMode);
    uncreated.BeginCapture(nullptr);
    EXPECT_FALSE(uncreated.IsCapturing());
    EXPECT_TRUE(WindowIsCurrent());
    m_first->BeginCapture(nullptr);
    uncreated.BeginCapture(m_first.get());
    EXPECT_TRUE(m_first->IsCapturing());
    EXPECT_TRUE(IsCurrentIn(*m_first));
    m_first->EndCapture();
}

TEST_F(PbufferCaptureTest, DestroyingCapturingTargetRestoresWindow) {
    m_first->BeginCapture(nullptr);
    m_first.reset();
    EXPECT_TRUE(WindowIsCurrent());
}

}  // namespace
