#include "tests/support/x_window.h"

#include <X11/Xutil.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <sstream>
#include <thread>

Picture Capture(Display* display, Window window) {
    Picture picture;
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes))
        return picture;
    XImage* image =
        XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (image == nullptr)
        return picture;
    picture.width = attributes.width;
    picture.height = attributes.height;
    picture.pixels.resize(std::size_t(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x)
            picture.pixels[std::size_t(y) * picture.width + x] = XGetPixel(image, x, y) & 0xffffff;
    }
    XDestroyImage(image);
    return picture;
}

int Brightness(uint32_t pixel) {
    return int((pixel >> 16) & 0xff) + int((pixel >> 8) & 0xff) + int(pixel & 0xff);
}

void Pause(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

bool WaitUntil(const std::function<bool()>& done, double timeoutSeconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        Pause(0.1);
    }
    return true;
}

ProgramRun Xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> command{"30", "xdotool"};
    command.insert(command.end(), args.begin(), args.end());
    return RunProgram("/usr/bin/timeout", command, "/");
}

std::vector<Window> FindWindows(int pid, const std::string& caption) {
    const ProgramRun found = Xdotool({"search", "--sync", "--all", "--onlyvisible", "--pid",
                                      std::to_string(pid), "--name", "^" + caption + "$"});
    std::vector<Window> windows;
    std::istringstream ids(found.out);
    for (unsigned long id = 0; found.exitCode == 0 && ids >> id;)
        windows.push_back(id);
    return windows;
}

Window FindWindow(int pid, const std::string& caption) {
    const std::vector<Window> windows = FindWindows(pid, caption);
    return windows.empty() ? 0 : windows.front();
}

std::vector<unsigned long> WindowProperty(Display* display, Window window, Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, window, property, 0, LONG_MAX / 4, False, AnyPropertyType,
                           &type, &format, &count, &after, &data) == Success &&
        format == 32 && data != nullptr) {
        const auto* longs = reinterpret_cast<const unsigned long*>(data);
        items.assign(longs, longs + count);
    }
    if (data != nullptr)
        XFree(data);
    return items;
}
