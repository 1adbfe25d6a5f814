#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(MessageBox, BatchModeWritesOneLineToStandardError) {
    SetMessageBoxBatchMode(true);
    EXPECT_TRUE(MessageBoxBatchMode());
    ::testing::internal::CaptureStderr();
    ShowMessageBox("Couldn't create pbuffer, 100% %s %d");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Couldn't create pbuffer, 100% %s %d\n");
    SetMessageBoxBatchMode(false);
}

TEST(MessageBox, WithoutDisplayFallsBackToBatchMode) {
    // Runs in a child process: FLTK would end the process if it tried to open the display.
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            SetMessageBoxBatchMode(false);
            if (!MessageBoxBatchMode()) {
                std::exit(1);
            }
            ShowMessageBox("Sound is not supported.");
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "^Sound is not supported\\.\n$");
}

}  // namespace
