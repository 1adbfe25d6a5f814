#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/message_box.h"

namespace {

struct ShownBox {
    std::string title;
    std::vector<std::string> texts;
    std::vector<std::string> buttons;
};

// Records what the modal box shows, then closes it as a click on its button would.
void RecordAndClose(void* data) {
    Fl_Window* box = Fl::modal();
    if (box == nullptr) {
        Fl::repeat_timeout(0.02, RecordAndClose, data);
        return;
    }
    ShownBox& shown = *static_cast<ShownBox*>(data);
    shown.title = box->label() ? box->label() : "";
    for (int i = 0; i < box->children(); ++i) {
        const Fl_Widget* child = box->child(i);
        if (!child->visible() || child->label() == nullptr) {
            continue;
        }
        const bool isButton = dynamic_cast<const Fl_Button*>(child) != nullptr;
        (isButton ? shown.buttons : shown.texts).push_back(child->label());
    }
    box->hide();
}

TEST(MessageBoxOnDisplay, ShowsTheTextVerbatimWithOneOkButton) {
    SetMessageBoxBatchMode(false);
    ASSERT_FALSE(MessageBoxBatchMode());
    const char* const closeLabel = fl_close;
    ShownBox shown;
    Fl::add_timeout(0.02, RecordAndClose, &shown);
    ShowMessageBox("Error setting up OpenGL. 100% %s");
    EXPECT_EQ(shown.title, "KVX Demo");
    EXPECT_EQ(shown.buttons, std::vector<std::string>{"OK"});
    EXPECT_NE(std::find(shown.texts.begin(), shown.texts.end(), "Error setting up OpenGL. 100% %s"),
              shown.texts.end());
    EXPECT_EQ(fl_close, closeLabel);
}

}  // namespace
