#include "platform/message_box.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>
#include <FL/x.H>

#include <cstdio>

namespace {

bool g_bBatchRequested = false;

// FLTK ends the process when it cannot open its display, so the connection is opened here
// first and handed to FLTK when it succeeds. Keeping it open also matters: an X server resets
// when its last client leaves, and refuses connections meanwhile.
bool DisplayAvailable() {
    if (fl_display != nullptr) {
        return true;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    fl_open_display(display);
    return true;
}

void ShowAlert(const std::string& text) {
    const char* closeLabel = fl_close;
    fl_close = "OK";
    fl_message_title("KVX Demo");
    fl_alert("%s", text.c_str());
    fl_close = closeLabel;
}

}  // namespace

void SetMessageBoxBatchMode(bool batch) {
    g_bBatchRequested = batch;
}

bool MessageBoxBatchMode() {
    return g_bBatchRequested || !DisplayAvailable();
}

void ShowMessageBox(const std::string& text) {
    if (MessageBoxBatchMode()) {
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
        return;
    }
    ShowAlert(text);
}
