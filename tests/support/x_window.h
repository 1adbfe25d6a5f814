#pragma once

// A program's windows seen from outside, as a user sees them: found and
// driven through xdotool, their pixels read back from the X server.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/run_program.h"

// After the tests' own headers: Xlib defines macros with ordinary names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

// A window's pixels as 0xRRGGBB.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    // Black outside the picture, so a failed capture reads as black instead of out of bounds.
    uint32_t At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return 0;
        return pixels[std::size_t(y) * width + x];
    }
};

// What window shows now; an empty picture when it cannot be read.
Picture Capture(Display* display, Window window);

// Red, green and blue added up.
int Brightness(uint32_t pixel);

void Pause(double seconds);

// Polls until done() holds; false after timeoutSeconds.
bool WaitUntil(const std::function<bool()>& done, double timeoutSeconds);

// Runs xdotool with the arguments, never longer than 30 seconds.
ProgramRun Xdotool(const std::vector<std::string>& args);

// The items of a window's property of 32-bit format (Xlib hands them over as longs); empty when
// the window has no such property.
std::vector<unsigned long> WindowProperty(Display* display, Window window, Atom property);

// The ids of the process's visible windows whose caption is exactly caption,
// once there is at least one; empty after 30 seconds without.
std::vector<Window> FindWindows(int pid, const std::string& caption);

// The first of them, or 0.
Window FindWindow(int pid, const std::string& caption);
