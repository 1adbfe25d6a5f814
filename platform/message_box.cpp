#include "platform/message_box.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>

#include <cstdio>

#include "platform/display_connection.h"

namespace {

bool g_bBatchRequested = false;

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
    return g_bBatchRequested || !OpenDisplayConnection();
}

void ShowMessageBox(const std::string& text) {
    if (MessageBoxBatchMode()) {
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
        return;
    }
    ShowAlert(text);
}
