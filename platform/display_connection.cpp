#include "platform/display_connection.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

constexpr int ATTEMPTS = 5;
constexpr auto RETRY_DELAY = std::chrono::milliseconds(200);

}  // namespace

bool OpenDisplayConnection() {
    if (fl_display != nullptr)
        return true;
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0')
        return false;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(RETRY_DELAY);
        Display* display = XOpenDisplay(nullptr);
        if (display != nullptr) {
            fl_open_display(display);
            return true;
        }
    }
    return false;
}
