// The real program driven only from outside, the way a user drives it:
// synthetic X input through xdotool, and what the window shows read back from
// the X server.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/shown_window_test.h"
#include "tests/app/temp_home.h"
#include "tests/support/screen_text.h"

namespace {

constexpr int MENU_HEIGHT = 25;
// The mode line is printed 5 pixels below the view's top edge.
constexpr int MODE_LINE_TOP = MENU_HEIGHT + 3;
constexpr int MODE_LINE_BOTTOM = MENU_HEIGHT + 22;
// Below the two lines of text, so that the frame rate shown does not count
// as a change of the picture.
constexpr int SCENE_TOP = MENU_HEIGHT + 55;

struct Region {
    int left, top, right, bottom;  // right and bottom excluded
};

// The column just right of the mode line's last dark (text) pixel left of
// column right; the text is printed over the white sky of the start-up view.
int ModeLineEnd(const Picture& picture, int right = INT_MAX) {
    int end = 0;
    for (int y = MODE_LINE_TOP; y < MODE_LINE_BOTTOM && y < picture.height; ++y) {
        for (int x = 0; x < std::min(right, picture.width); ++x) {
            if (Brightness(picture.At(x, y)) < 200)
                end = std::max(end, x + 1);
        }
    }
    return end;
}

// The share of the region's pixels that differ clearly between a and b.
double ChangedShare(const Picture& a, const Picture& b, const Region& region) {
    if (a.width != b.width || a.height != b.height || a.pixels.empty())
        return 1.0;
    int changed = 0;
    int counted = 0;
    for (int y = region.top; y < std::min(region.bottom, a.height); ++y) {
        for (int x = region.left; x < std::min(region.right, a.width); ++x) {
            const uint32_t p = a.At(x, y), q = b.At(x, y);
            int difference = 0;
            for (int shift : {0, 8, 16})
                difference += std::abs(int((p >> shift) & 0xff) - int((q >> shift) & 0xff));
            changed += difference > 60 ? 1 : 0;
            ++counted;
        }
    }
    return counted == 0 ? 0.0 : double(changed) / counted;
}

// Where a window is on the screen.
struct Placement {
    int x, y, width, height;
};

// The pop-up menus shown, lowest first: FLTK shows its menus as top-level
// windows that bypass the window manager, the chosen title of the menu bar
// in one of its own and each open menu above it.
std::vector<Placement> ShownMenus(Display* display) {
    std::vector<Placement> menus;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return menus;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable &&
            a.override_redirect)
            menus.push_back({a.x, a.y, a.width, a.height});
    }
    XFree(children);
    return menus;
}

// The horizontal centres of the menu bar's titles, found as runs of dark
// (text) columns on the bar, from the left; the bar's dark right edge comes
// last.
std::vector<int> MenuTitleCentres(const Picture& picture) {
    std::vector<int> centres;
    int runStart = -1, lastDark = -100;
    for (int x = 0; x < picture.width; ++x) {
        bool dark = false;
        for (int y = 4; y < MENU_HEIGHT - 4; ++y)
            dark = dark || Brightness(picture.At(x, y)) < 300;
        if (!dark)
            continue;
        if (x - lastDark > 8) {
            if (runStart >= 0)
                centres.push_back((runStart + lastDark) / 2);
            runStart = x;
        }
        lastDark = x;
    }
    if (runStart >= 0)
        centres.push_back((runStart + lastDark) / 2);
    return centres;
}

// The sky's clear colour (0.95, 0.95, 1.0) as the window shows it.
constexpr uint32_t SKY = 0xf2f2ff;

// The share of the region's pixels that show the sky.
double SkyShare(const Picture& picture, const Region& region) {
    int sky = 0;
    int counted = 0;
    for (int y = region.top; y < std::min(region.bottom, picture.height); ++y) {
        for (int x = region.left; x < std::min(region.right, picture.width); ++x) {
            int difference = 0;
            for (int shift : {0, 8, 16})
                difference +=
                    std::abs(int((picture.At(x, y) >> shift) & 0xff) - int((SKY >> shift) & 0xff));
            sky += difference <= 6 ? 1 : 0;
            ++counted;
        }
    }
    return counted == 0 ? 0.0 : double(sky) / counted;
}

class OutsideInput : public ShownWindowTest {
  protected:
    // Clicks the menu bar's title number title (File, Options, View, Help), then
    // goes in each menu that opens to the row given (of rows rows), clicks
    // the last one and waits until the menus have gone.
    struct MenuRow {
        int row, rows;
    };
    void UseMenu(int title, const std::vector<MenuRow>& path) {
        const std::vector<int> titles = MenuTitleCentres(Shot());
        ASSERT_GE(titles.size(), 4u) << "the menu bar shows no File, Options, View and Help";
        Xdotool({"mousemove", "--window", std::to_string(m_window), std::to_string(titles[title]),
                 "12", "click", "1"});
        for (std::size_t depth = 0; depth < path.size(); ++depth) {
            std::vector<Placement> menus;
            const auto opened = [&] { return (menus = ShownMenus(m_display)).size() > depth + 1; };
            ASSERT_TRUE(WaitUntil(opened, 20)) << "menu " << depth << " did not open";
            const Placement& menu = menus.back();
            const int y = menu.y + menu.height * (2 * path[depth].row + 1) / (2 * path[depth].rows);
            // Resting on a submenu's title opens it (a click there would close
            // the menus); the last row is clicked.
            std::vector<std::string> args{"mousemove", std::to_string(menu.x + 30),
                                          std::to_string(y)};
            if (depth + 1 == path.size())
                args.insert(args.end(), {"sleep", "0.3", "click", "1"});
            Xdotool(args);
        }
        ASSERT_TRUE(WaitUntil([&] { return ShownMenus(m_display).empty(); }, 20))
            << "the menus stayed open";
    }

    // Control + left drag from (x0, y) to (x1, y) in window pixels.
    void ControlDrag(int x0, int x1, int y) {
        const std::string window = std::to_string(m_window);
        std::vector<std::string> args{
            "mousemove", "--window",  window, std::to_string(x0), std::to_string(y), "keydown",
            "ctrl",      "mousedown", "1"};
        for (int step = 1; step <= 5; ++step) {
            const std::string x = std::to_string(x0 + (x1 - x0) * step / 5);
            args.insert(args.end(),
                        {"sleep", "0.1", "mousemove", "--window", window, x, std::to_string(y)});
        }
        args.insert(args.end(), {"sleep", "0.1", "mouseup", "1", "keyup", "ctrl"});
        Xdotool(args);
    }
};

TEST_F(OutsideInput, MenuChoiceDragAndAboutBoxReachTheView) {
    StartedProgram demo(KVX_DEMO, {}, KVX_SOURCE_DIR, {"SDL_AUDIODRIVER=dummy"});
    m_window = FindWindow(demo.Pid(), "KVX Demo");
    ASSERT_NE(m_window, 0u) << "the main window never appeared";
    Picture picture;
    // Until the first frame and the menu bar are drawn the window may be dark.
    const auto shown = [&] {
        const int end = ModeLineEnd(picture = Shot());
        return end > 150 && end < picture.width / 2 && MenuTitleCentres(picture).size() >= 3;
    };
    ASSERT_TRUE(WaitUntil(shown, 60)) << "the window shows no mode line or no menu bar";
    const int highQualityEnd = ModeLineEnd(picture);
    const Region scene{0, SCENE_TOP, picture.width, picture.height};

    // Options > Shadow Mode > SSM: the mode line becomes shorter
    // ("Mode: KVX High Quality, ..." becomes "Mode: SSM, ...").
    ASSERT_NO_FATAL_FAILURE(UseMenu(1, {{0, 3}, {2, 3}}));
    ASSERT_TRUE(WaitUntil([&] { return ModeLineEnd(Shot()) < highQualityEnd - 40; }, 20))
        << "the mode line still ends at " << ModeLineEnd(Shot()) << ", as with KVX High Quality";
    const int ssmEnd = ModeLineEnd(Shot());

    // Without input only the animated figures move; a Control drag of 100
    // pixels turns the eye by 45 degrees and changes most of the picture.
    const Picture still = Shot();
    Pause(0.5);
    const Picture before = Shot();
    const double idleChange = ChangedShare(still, before, scene);
    EXPECT_LT(idleChange, 0.05);
    ControlDrag(300, 400, 400);
    EXPECT_TRUE(WaitUntil([&] { return ChangedShare(before, Shot(), scene) > 0.15; }, 20))
        << "the drag changed " << ChangedShare(before, Shot(), scene)
        << " of the picture; without input " << idleChange << " changed";
    EXPECT_EQ(ModeLineEnd(Shot()), ssmEnd);

    // Help > About (after Keys and Mouse): no frame is rendered while the box
    // is open; the part of the view beside the box stands still, and moves
    // again once it is closed.
    ASSERT_NO_FATAL_FAILURE(UseMenu(3, {{1, 2}}));
    const Window about = FindWindow(demo.Pid(), "About KVX_Demo");
    ASSERT_NE(about, 0u);
    const Region beside{440, SCENE_TOP, picture.width, picture.height};
    Pause(0.5);
    const Picture aboutOpen = Shot();
    Pause(1.0);
    EXPECT_EQ(ChangedShare(aboutOpen, Shot(), beside), 0.0);
    Xdotool({"mousemove", "--window", std::to_string(about), "100", "100", "key", "Escape"});
    EXPECT_TRUE(WaitUntil([&] { return ChangedShare(aboutOpen, Shot(), beside) > 0.001; }, 20))
        << "the view stayed still after the about box was closed";

    // Escape, pressed twice as if to dismiss a menu, leaves the program running.
    Xdotool({"mousemove", "--window", std::to_string(m_window), "300", "300", "key", "Escape",
             "sleep", "0.3", "key", "Escape"});
    Pause(1.0);
    EXPECT_FALSE(FindWindows(demo.Pid(), "KVX Demo").empty()) << "Escape ended the program";

    // File > Exit ends the program normally.
    ASSERT_NO_FATAL_FAILURE(UseMenu(0, {{0, 1}}));
    const ProgramRun run = demo.Wait(30);
    EXPECT_EQ(run.exitCode, 0) << run.err;
}

// The main window's class names the program, so that a desktop entry and the window manager can
// match them, and its icon is the logo: _NET_WM_ICON holds, per size, the width, the height and
// the pixels as 0xAARRGGBB, and among them a 48 x 48 icon with the logo's opaque pixels.
TEST_F(OutsideInput, TheWindowCarriesTheProgramsClassAndTheLogoAsIcon) {
    StartedProgram demo(KVX_DEMO, {}, KVX_SOURCE_DIR, {"SDL_AUDIODRIVER=dummy"});
    m_window = FindWindow(demo.Pid(), "KVX Demo");
    ASSERT_NE(m_window, 0u) << "the main window never appeared";
    XClassHint hint = {};
    ASSERT_NE(XGetClassHint(m_display, m_window, &hint), 0);
    EXPECT_STREQ(hint.res_name, "kvx-demo");
    XFree(hint.res_name);
    XFree(hint.res_class);
    const std::vector<unsigned long> icon =
        WindowProperty(m_display, m_window, XInternAtom(m_display, "_NET_WM_ICON", False));
    int opaque48 = 0;
    for (std::size_t at = 0; at + 2 <= icon.size(); at += 2 + icon[at] * icon[at + 1]) {
        if (icon[at] != 48 || icon[at + 1] != 48 || at + 2 + 48 * 48 > icon.size())
            continue;
        for (std::size_t i = 0; i < 48 * 48; ++i)
            opaque48 += (icon[at + 2 + i] >> 24 & 0xff) == 0xff ? 1 : 0;
    }
    EXPECT_GT(opaque48, 48 * 20) << "no 48 x 48 icon showing the logo among " << icon.size()
                                 << " items of _NET_WM_ICON";
}

// The program's message box: its window captioned as the main window but
// lower than any main window; 0 while there is none.
Window MessageBoxOf(Display* display, int pid) {
    for (Window window : FindWindows(pid, "KVX Demo")) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(display, window, &a) && a.height < 300)
            return window;
    }
    return 0;
}

// A failure found while the frames run (here the screenshot of the last frame cannot be
// written) is shown in a message box that stays until it is answered; then the program ends
// with status 1.
TEST_F(OutsideInput, AFailureDuringTheFramesIsShownUntilAnswered) {
    StartedProgram demo(KVX_DEMO, {"--frames", "3", "--screenshot", "/nonexistent-dir/shot.png"},
                        KVX_SOURCE_DIR, {"SDL_AUDIODRIVER=dummy"});
    const auto messageBox = [&] { return MessageBoxOf(m_display, demo.Pid()); };
    ASSERT_TRUE(WaitUntil([&] { return messageBox() != 0; }, 120)) << "no message box appeared";
    Pause(2.0);
    const Window box = messageBox();
    ASSERT_NE(box, 0u) << "the message box closed unanswered";
    Xdotool({"mousemove", "--window", std::to_string(box), "20", "20", "key", "Return"});
    const ProgramRun run = demo.Wait(30);
    EXPECT_EQ(run.exitCode, 1) << run.err;
}

// A message box late in the start-up lets FLTK paint the window before the
// view's first frame; once the box is answered the frames show the sky, not
// the black the window is painted with until then. Without an audio device
// the start-up ends with "Sound is not supported.", in a box captioned like
// the main window but far smaller.
TEST_F(OutsideInput, SkyIsShownAfterAStartUpMessageBox) {
    StartedProgram demo(KVX_DEMO, {}, KVX_SOURCE_DIR, {"SDL_AUDIODRIVER=no-such-driver"});
    Window box = 0;
    const auto boxShown = [&] {
        for (Window window : FindWindows(demo.Pid(), "KVX Demo")) {
            XWindowAttributes a{};
            if (XGetWindowAttributes(m_display, window, &a))
                (a.height < 300 ? box : m_window) = window;
        }
        return box != 0 && m_window != 0;
    };
    ASSERT_TRUE(WaitUntil(boxShown, 120)) << "no message box over the main window appeared";
    // Return presses the box's OK button once the box has been drawn.
    Pause(1.0);
    Xdotool({"mousemove", "--window", std::to_string(box), "20", "20", "key", "Return"});
    const auto boxGone = [&] {
        const std::vector<Window> shown = FindWindows(demo.Pid(), "KVX Demo");
        return std::find(shown.begin(), shown.end(), box) == shown.end();
    };
    ASSERT_TRUE(WaitUntil(boxGone, 20)) << "the message box stayed open";

    // The mode line is printed over the sky at the top of the view; right of
    // it, in the upper part of the view, there is nothing but sky.
    Picture picture;
    const auto skyShown = [&] {
        picture = Shot();
        const Region aboveTheScene{picture.width / 2, MENU_HEIGHT, picture.width, SCENE_TOP};
        return SkyShare(picture, aboveTheScene) > 0.95;
    };
    EXPECT_TRUE(WaitUntil(skyShown, 30))
        << "the top right of the view shows " << std::hex
        << picture.At(picture.width - 10, SCENE_TOP) << " where the sky is " << SKY;

    ASSERT_NO_FATAL_FAILURE(UseMenu(0, {{0, 1}}));
    const ProgramRun run = demo.Wait(30);
    EXPECT_EQ(run.exitCode, 0) << run.err;
}

// The share of the region's pixels for which pick holds.
double Share(const Picture& picture, const Region& region,
             const std::function<bool(uint32_t)>& pick) {
    int picked = 0, counted = 0;
    for (int y = region.top; y < std::min(region.bottom, picture.height); ++y) {
        for (int x = region.left; x < std::min(region.right, picture.width); ++x) {
            picked += pick(picture.At(x, y)) ? 1 : 0;
            ++counted;
        }
    }
    return counted == 0 ? 0.0 : double(picked) / counted;
}

bool Dark(uint32_t pixel) {
    return Brightness(pixel) < 200;
}
bool Bright(uint32_t pixel) {
    return Brightness(pixel) > 600;
}
// The eye frustum's outline in the depth-map pictures.
bool Yellow(uint32_t pixel) {
    return pixel == 0xffc800;
}

// The View menu's keys, pressed in the view, turn each live view on and off
// again; with all off the picture is the scene as before.
TEST_F(OutsideInput, ViewMenuKeysShowTheMapLive) {
    StartedProgram demo(KVX_DEMO, {}, KVX_SOURCE_DIR, {"SDL_AUDIODRIVER=dummy"});
    m_window = FindWindow(demo.Pid(), "KVX Demo");
    ASSERT_NE(m_window, 0u) << "the main window never appeared";
    Picture picture;
    // Until the first frame is drawn the window may be dark.
    ASSERT_TRUE(WaitUntil(
        [&] {
            const int end = ModeLineEnd(picture = Shot());
            return end > 150 && end < picture.width / 2;
        },
        60));
    const int highQualityEnd = ModeLineEnd(picture);
    Pause(0.5);
    const Picture off = Shot();
    const int w = off.width, h = off.height;
    // The inset's corner of the default 800 x 600 view (240 pixels at most
    // there), the sky above the hills left of the heat colours' key, and the
    // line below the frame rate.
    const Region inset{w - 200, h - 200, w - 20, h - 20};
    const Region sky{0, SCENE_TOP, w - 100, SCENE_TOP + 30};
    const Region readout{0, MENU_HEIGHT + 44, w / 2, MENU_HEIGHT + 62};
    ASSERT_LT(Share(off, inset, Dark), 0.2);
    ASSERT_GT(Share(off, sky, Bright), 0.9);
    ASSERT_EQ(Share(off, readout, Dark), 0.0);

    const auto key = [&](const char* k) {
        Xdotool({"key", "--window", std::to_string(m_window), k});
    };
    const struct {
        const char* key;
        const char* what;
        std::function<bool(const Picture&)> shown;
    } toggles[] = {
        {"m", "inset",
         [&](const Picture& p) {
             return Share(p, inset, Dark) > 0.5 && Share(p, inset, Yellow) > 0.005;
         }},
        // The mode line stays readable over the heat colours.
        {"h", "heat colours under a readable mode line",
         [&](const Picture& p) {
             return Share(p, sky, Bright) < 0.05 &&
                    ModeLineEnd(p, highQualityEnd + 20) == highQualityEnd;
         }},
        {"r", "readout", [&](const Picture& p) { return Share(p, readout, Dark) > 0.01; }},
    };
    for (const auto& t : toggles) {
        key(t.key);
        EXPECT_TRUE(WaitUntil([&] { return t.shown(Shot()); }, 30)) << t.what << " not shown";
        key(t.key);
        EXPECT_TRUE(WaitUntil([&] { return !t.shown(Shot()); }, 30)) << t.what << " stayed";
    }

    // LiSPSM and CSM name themselves in the mode line, shorter than "KVX
    // High Quality"; choosing the checked one again returns to it.
    for (const char* k : {"l", "c"}) {
        key(k);
        EXPECT_TRUE(WaitUntil([&] { return ModeLineEnd(Shot()) < highQualityEnd - 40; }, 30)) << k;
    }
    const int csmEnd = ModeLineEnd(Shot());
    key("c");
    EXPECT_TRUE(WaitUntil([&] { return ModeLineEnd(Shot()) == highQualityEnd; }, 30));
    // S shows the stable cascades, "CSM stable" a word longer than "CSM", and
    // goes back the same way.
    key("s");
    EXPECT_TRUE(WaitUntil(
        [&] {
            const int end = ModeLineEnd(Shot());
            return end > csmEnd + 20 && end < highQualityEnd;
        },
        30));
    key("s");
    EXPECT_TRUE(WaitUntil([&] { return ModeLineEnd(Shot()) == highQualityEnd; }, 30));

    // All off again: only the animated figures differ from the first picture.
    const Picture back = Shot();
    EXPECT_LT(ChangedShare(off, back, Region{0, SCENE_TOP, w, h}), 0.05);
    EXPECT_EQ(Share(back, readout, Dark), 0.0);
    demo.Signal(SIGTERM);
    demo.Wait(20);
}

// Seconds of processor time the process has used, all its threads together.
double ProcessorSeconds(int pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    // After the command name's closing parenthesis: the state is the first
    // field, user and system time the twelfth and thirteenth, in clock ticks.
    std::istringstream fields(stat.substr(stat.rfind(')') + 1));
    std::string field;
    double ticks = 0.0;
    for (int n = 1; n <= 13 && fields >> field; ++n)
        ticks += n >= 12 ? std::stod(field) : 0.0;
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The share of one core the process uses over the next seconds.
double CoreShare(int pid, double seconds) {
    const double before = ProcessorSeconds(pid);
    const auto start = std::chrono::steady_clock::now();
    Pause(seconds);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return (ProcessorSeconds(pid) - before) / elapsed.count();
}

// While its window is unmapped the program draws no frames, so it takes next
// to no processor time; mapped again, it draws its frames as before.
TEST_F(OutsideInput, AnUnmappedWindowDrawsNoFrames) {
    StartedProgram demo(KVX_DEMO, {}, KVX_SOURCE_DIR, {"SDL_AUDIODRIVER=dummy"});
    m_window = FindWindow(demo.Pid(), "KVX Demo");
    ASSERT_NE(m_window, 0u) << "the main window never appeared";
    ASSERT_TRUE(WaitUntil([&] { return ModeLineEnd(Shot()) > 150; }, 60));
    const double shown = CoreShare(demo.Pid(), 3.0);

    const std::string window = std::to_string(m_window);
    Xdotool({"windowunmap", "--sync", window});
    Pause(0.5);
    const double unmapped = CoreShare(demo.Pid(), 3.0);
    std::printf("share of a core: %.3f shown, %.3f unmapped\n", shown, unmapped);
    EXPECT_LT(unmapped, 0.05);
    EXPECT_LT(unmapped, shown / 10);

    // The figures move again once the window is back.
    Xdotool({"windowmap", "--sync", window});
    Picture first;
    ASSERT_TRUE(WaitUntil([&] { return ModeLineEnd(first = Shot()) > 150; }, 30));
    const Region scene{0, SCENE_TOP, first.width, first.height};
    EXPECT_TRUE(WaitUntil([&] { return ChangedShare(first, Shot(), scene) > 0.0; }, 30))
        << "the view stood still after the window was mapped again";
    demo.Signal(SIGTERM);
    demo.Wait(20);
}

// The heat colours and the inset, with their keys, stay free of OpenGL
// errors while the window is no taller than its menu bar, where the view has
// no area, or a few pixels wide, and after it grows again.
TEST_F(OutsideInput, LiveViewsInAWindowWithoutRoomForTheView) {
    StartedProgram demo(KVX_DEMO, {"--size", "400x300", "--check-gl", "--batch"}, KVX_SOURCE_DIR,
                        {"SDL_AUDIODRIVER=dummy", "KVX_LIVE_VIEWS=hm"});
    m_window = FindWindow(demo.Pid(), "KVX Demo");
    ASSERT_NE(m_window, 0u) << "the main window never appeared";
    Pause(3.0);
    const std::string window = std::to_string(m_window);
    const char* sizes[][2] = {{"400", "17"}, {"400", "20"}, {"400", "25"}, {"3", "30"},
                              {"12", "28"},  {"40", "60"},  {"90", "200"}, {"400", "325"}};
    for (const auto& size : sizes) {
        Xdotool({"windowsize", "--sync", window, size[0], size[1]});
        Pause(1.5);
    }
    demo.Signal(SIGTERM);
    const ProgramRun run = demo.Wait(20);
    EXPECT_EQ(run.signal, SIGTERM) << "the program ended by itself: " << run.err;
    EXPECT_EQ(run.err.find("OpenGL error"), std::string::npos) << run.err;
}

// The program can be stopped from its terminal (Ctrl+C) or by a terminate
// request once it runs, sound and all.
TEST_F(OutsideInput, InterruptAndTerminateEndTheProgram) {
    for (int signal : {SIGINT, SIGTERM}) {
        StartedProgram demo(KVX_DEMO, {}, KVX_SOURCE_DIR, {"SDL_AUDIODRIVER=dummy"});
        m_window = FindWindow(demo.Pid(), "KVX Demo");
        ASSERT_NE(m_window, 0u) << "the main window never appeared";
        Picture picture;
        ASSERT_TRUE(WaitUntil([&] { return ModeLineEnd(picture = Shot()) > 150; }, 60));
        demo.Signal(signal);
        const ProgramRun run = demo.Wait(20);
        EXPECT_EQ(run.signal, signal) << "signal " << signal << " did not end the program";
    }
}

// The first frame is drawn: the mode line ends over the sky, where a window
// still dark would make it end at the right edge.
bool ModeLineShown(const Picture& picture) {
    const int end = ModeLineEnd(picture);
    return end > 150 && end < picture.width - 10;
}

// The dark grey of the boxes the help panel and the position line are drawn on.
bool BoxGrey(uint32_t pixel) {
    return pixel == 0x1f1f1f;
}

// The smallest region holding every row's runs of at least 40 pixels of the
// boxes' grey within the given one (the scene has a pixel of that grey here
// and there, never a run); empty when there is none.
Region GreyBox(const Picture& picture, const Region& within) {
    constexpr int RUN = 40;
    Region found{INT_MAX, INT_MAX, 0, 0};
    for (int y = within.top; y < std::min(within.bottom, picture.height); ++y) {
        int run = 0;
        for (int x = within.left; x < std::min(within.right, picture.width); ++x) {
            run = BoxGrey(picture.At(x, y)) ? run + 1 : 0;
            if (run >= RUN)
                found = {std::min(found.left, x + 1 - run), std::min(found.top, y),
                         std::max(found.right, x + 1), std::max(found.bottom, y + 1)};
        }
    }
    return found.right == 0 ? Region{0, 0, 0, 0} : found;
}

// The words of `wanted` that OCR finds in the region, case and spaces aside.
std::vector<std::string> WordsRead(const Picture& picture, const Region& region,
                                   const std::vector<std::string>& wanted) {
    const auto folded = [](const std::string& text) {
        std::string kept;
        for (char c : text) {
            if (!std::isspace(static_cast<unsigned char>(c)))
                kept += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return kept;
    };
    const std::string read =
        folded(ReadText(picture, region.left, region.top, region.right, region.bottom));
    std::vector<std::string> found;
    for (const std::string& word : wanted) {
        if (read.find(folded(word)) != std::string::npos)
            found.push_back(word);
    }
    return found;
}

// The whole numbers in the text, in order; signs and separators aside.
std::vector<int> NumbersIn(const std::string& text) {
    std::vector<int> numbers;
    for (std::size_t at = text.find_first_of("0123456789"); at != std::string::npos;
         at = text.find_first_of("0123456789", at)) {
        const std::size_t end = text.find_first_not_of("0123456789", at);
        numbers.push_back(std::stoi(text.substr(at, end - at)));
        at = end;
    }
    return numbers;
}

// F1, and Help > Keys and Mouse, show and hide the keys-and-mouse help over
// the view; E shows where the eye and the light are, in the form --eye and
// --light take, here the placements the program was started with.
TEST_F(OutsideInput, HelpPanelAndPositionLineReadBack) {
    StartedProgram demo(KVX_DEMO, {"--eye", "25,-120,140", "--light", "60,-45,1000"},
                        KVX_SOURCE_DIR, {"SDL_AUDIODRIVER=dummy"});
    m_window = FindWindow(demo.Pid(), "KVX Demo");
    ASSERT_NE(m_window, 0u) << "the main window never appeared";
    ASSERT_TRUE(WaitUntil([&] { return ModeLineShown(Shot()); }, 60));
    const Picture off = Shot();
    const Region view{0, MENU_HEIGHT, off.width, off.height};
    ASSERT_EQ(GreyBox(off, view).right, 0) << "a box is shown before it was asked for";
    const auto key = [&](const char* k) {
        Xdotool({"key", "--window", std::to_string(m_window), k});
    };
    const auto panelShown = [&] { return GreyBox(Shot(), view).bottom > 300; };

    key("F1");
    ASSERT_TRUE(WaitUntil(panelShown, 30)) << "F1 showed no panel";
    const Picture help = Shot();
    const Region panel = GreyBox(help, view);
    EXPECT_GT(panel.top, MODE_LINE_BOTTOM + 20) << "the panel covers the mode line";
    const std::vector<std::string> words = {
        "Control",          "Shift",    "wheel", "Home", "KVX High Quality", "SSM",
        "texels per pixel", "Open View"};
    const std::vector<std::string> read = WordsRead(help, panel, words);
    EXPECT_GE(read.size(), words.size() - 2)
        << "OCR read only " << read.size() << " of the " << words.size() << " words looked for";
    key("F1");
    EXPECT_TRUE(WaitUntil([&] { return !panelShown(); }, 30)) << "F1 again left the panel";
    ASSERT_NO_FATAL_FAILURE(UseMenu(3, {{0, 2}}));
    EXPECT_TRUE(WaitUntil(panelShown, 30)) << "Help > Keys and Mouse showed no panel";
    key("F1");
    EXPECT_TRUE(WaitUntil([&] { return !panelShown(); }, 30));

    // The position line sits at the bottom left, below where the panel ends.
    const Region bottomLeft{0, off.height - 60, off.width / 2, off.height};
    key("e");
    Picture shown;
    ASSERT_TRUE(WaitUntil([&] { return GreyBox(shown = Shot(), bottomLeft).right > 200; }, 30))
        << "E showed no position line";
    const Region line = GreyBox(shown, bottomLeft);
    const std::string text = ReadText(shown, line.left, line.top, line.right, line.bottom);
    EXPECT_EQ(NumbersIn(text), (std::vector<int>{25, 120, 140, 60, 45, 1000})) << text;
    key("e");
    EXPECT_TRUE(WaitUntil([&] { return GreyBox(Shot(), bottomLeft).right == 0; }, 30))
        << "E again left the position line";
    demo.Signal(SIGTERM);
    demo.Wait(20);
}

// The mouse wheel moves the eye nearer; a Control drag turns it; Home brings
// it back to where the program started, so that only the animated figures
// differ from the first picture.
TEST_F(OutsideInput, WheelMovesTheEyeAndHomeBringsItBack) {
    StartedProgram demo(KVX_DEMO, {}, KVX_SOURCE_DIR, {"SDL_AUDIODRIVER=dummy"});
    m_window = FindWindow(demo.Pid(), "KVX Demo");
    ASSERT_NE(m_window, 0u) << "the main window never appeared";
    ASSERT_TRUE(WaitUntil([&] { return ModeLineShown(Shot()); }, 60));
    Pause(0.5);
    const Picture start = Shot();
    const Region scene{0, SCENE_TOP, start.width, start.height};
    const std::string window = std::to_string(m_window);
    Pause(0.5);
    ASSERT_LT(ChangedShare(start, Shot(), scene), 0.05) << "the view moves without input";

    Xdotool({"mousemove", "--window", window, "400", "300", "click", "4", "sleep", "0.1", "click",
             "4", "sleep", "0.1", "click", "4"});
    EXPECT_TRUE(WaitUntil([&] { return ChangedShare(start, Shot(), scene) > 0.15; }, 20))
        << "three notches of the wheel changed " << ChangedShare(start, Shot(), scene)
        << " of the picture";
    ControlDrag(300, 400, 400);
    Pause(0.5);
    const double moved = ChangedShare(start, Shot(), scene);
    EXPECT_GT(moved, 0.15);

    Xdotool({"key", "--window", window, "Home"});
    EXPECT_TRUE(WaitUntil([&] { return ChangedShare(start, Shot(), scene) < 0.05; }, 20))
        << "after Home " << ChangedShare(start, Shot(), scene)
        << " of the picture differs from the start-up view's";
    demo.Signal(SIGTERM);
    demo.Wait(20);
}

// The help panel and the position line stay free of OpenGL errors in a view
// of a few pixels, or of none, and after it grows again.
TEST_F(OutsideInput, TextBoxesInATinyWindow) {
    StartedProgram demo(KVX_DEMO, {"--size", "400x300", "--check-gl", "--batch"}, KVX_SOURCE_DIR,
                        {"SDL_AUDIODRIVER=dummy"});
    m_window = FindWindow(demo.Pid(), "KVX Demo");
    ASSERT_NE(m_window, 0u) << "the main window never appeared";
    ASSERT_TRUE(WaitUntil([&] { return ModeLineShown(Shot()); }, 60));
    const std::string window = std::to_string(m_window);
    Xdotool({"key", "--window", window, "F1", "sleep", "0.2", "key", "--window", window, "e"});
    for (const auto& [w, h] : {std::pair{"30", "30"}, {"8", "27"}, {"400", "20"}, {"400", "325"}}) {
        Xdotool({"windowsize", "--sync", window, w, h});
        Pause(1.5);
    }
    EXPECT_GT(GreyBox(Shot(), Region{0, MENU_HEIGHT, 400, 325}).bottom, 0)
        << "the boxes are gone after the window grew again";
    demo.Signal(SIGTERM);
    const ProgramRun run = demo.Wait(20);
    EXPECT_EQ(run.signal, SIGTERM) << "the program ended by itself: " << run.err;
    EXPECT_EQ(run.err.find("OpenGL error"), std::string::npos) << run.err;
}

// Pausing the figures and keeping views in files: Space, the View menu's
// Save View... and Open View... with their file dialog, and --view at
// start-up.

using ::testing::HasSubstr;

// Where the frame-rate line is printed, below the mode line.
constexpr int FPS_LINE_TOP = MODE_LINE_BOTTOM;
constexpr int FPS_LINE_BOTTOM = MENU_HEIGHT + 42;
// The height of a menu's item and the frame below the last one, in pixels.
constexpr int MENU_ITEM_HEIGHT = 20;
constexpr int MENU_FRAME = 3;
// The file dialog's name field, in the dialog's pixels.
constexpr int NAME_FIELD_X = 200, NAME_FIELD_Y = 261;

// The number of pixels of the region that differ at all between a and b.
int DifferentPixels(const Picture& a, const Picture& b, const Region& region) {
    if (a.width != b.width || a.height != b.height || a.pixels.empty())
        return -1;
    int different = 0;
    for (int y = region.top; y < std::min(region.bottom, a.height); ++y) {
        for (int x = region.left; x < std::min(region.right, a.width); ++x)
            different += a.At(x, y) != b.At(x, y) ? 1 : 0;
    }
    return different;
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class ViewWindow : public OutsideInput {
  protected:
    // Starts the program with args and waits for its first frames.
    std::unique_ptr<StartedProgram> Start(const std::vector<std::string>& args) {
        auto demo = std::make_unique<StartedProgram>(
            KVX_DEMO, args, KVX_SOURCE_DIR, std::vector<std::string>{"SDL_AUDIODRIVER=dummy"});
        m_window = FindWindow(demo->Pid(), "KVX Demo");
        EXPECT_NE(m_window, 0u) << "the main window never appeared";
        // Until the first frame and the menu bar are drawn the window may be dark.
        const auto shown = [&] {
            const Picture picture = Shot();
            return ModeLineEnd(picture) > 150 && MenuTitleCentres(picture).size() >= 4;
        };
        EXPECT_TRUE(WaitUntil(shown, 60)) << "the window shows no mode line or no menu bar";
        Pause(0.5);
        return demo;
    }

    Region Scene() const { return {0, SCENE_TOP, m_width, m_height}; }

    void Key(const char* key) { Xdotool({"key", "--window", std::to_string(m_window), key}); }

    // Clicks the View menu's item fromBottom items above its last one: the
    // view files' items end the menu, whatever stands above them.
    void UseViewMenuFromBottom(int fromBottom) {
        // The menu bar is drawn again where a dialog covered it.
        std::vector<int> titles;
        ASSERT_TRUE(WaitUntil([&] { return (titles = MenuTitleCentres(Shot())).size() >= 4; }, 20))
            << "the menu bar shows no File, Options, View and Help";
        Xdotool({"mousemove", "--window", std::to_string(m_window), std::to_string(titles[2]), "12",
                 "click", "1"});
        std::vector<Placement> menus;
        ASSERT_TRUE(WaitUntil([&] { return (menus = ShownMenus(m_display)).size() > 1; }, 20))
            << "the View menu did not open";
        const Placement& menu = menus.back();
        const int y =
            menu.y + menu.height - MENU_FRAME - MENU_ITEM_HEIGHT * (2 * fromBottom + 1) / 2;
        Xdotool({"mousemove", std::to_string(menu.x + 30), std::to_string(y), "sleep", "0.3",
                 "click", "1"});
        ASSERT_TRUE(WaitUntil([&] { return ShownMenus(m_display).empty(); }, 20))
            << "the menus stayed open";
    }

    // Types path into the file dialog captioned title and presses Enter.
    void AnswerFileDialog(int pid, const char* title, const std::string& path) {
        const Window dialog = FindWindow(pid, title);
        ASSERT_NE(dialog, 0u) << "no dialog " << title;
        Pause(0.5);  // until it is drawn and takes keys
        Xdotool({"mousemove", "--window", std::to_string(dialog), std::to_string(NAME_FIELD_X),
                 std::to_string(NAME_FIELD_Y), "click", "1", "sleep", "0.3", "type", "--delay",
                 "20", path});
        // "type" takes every argument after it as text.
        Xdotool({"key", "Return"});
        const auto closed = [&] {
            XWindowAttributes a{};
            return !XGetWindowAttributes(m_display, dialog, &a) || a.map_state != IsViewable;
        };
        ASSERT_TRUE(WaitUntil(closed, 20)) << "the dialog " << title << " stayed open";
    }

    void SaveView(int pid, const std::string& path) {
        ASSERT_NO_FATAL_FAILURE(UseViewMenuFromBottom(1));
        ASSERT_NO_FATAL_FAILURE(AnswerFileDialog(pid, "Save View", path));
    }
    void OpenView(int pid, const std::string& path) {
        ASSERT_NO_FATAL_FAILURE(UseViewMenuFromBottom(0));
        ASSERT_NO_FATAL_FAILURE(AnswerFileDialog(pid, "Open View", path));
    }

    // Waits until the scene below the lines of text stands still for half a
    // second (several frames), and returns the picture then.
    Picture StillPicture() {
        Picture last = Shot();
        const auto still = [&] {
            Pause(0.5);
            const Picture now = Shot();
            const bool same = DifferentPixels(last, now, Scene()) == 0;
            last = now;
            return same;
        };
        EXPECT_TRUE(WaitUntil(still, 20)) << "the scene does not stand still";
        m_width = last.width;
        m_height = last.height;
        return last;
    }

    int m_width = 800;
    int m_height = 600;
};

// Space freezes the figures: the frames go on (the frame rate changes, a mode
// switched there and back shows the same picture), the scene below the text
// stands still; Space again moves them on from there.
TEST_F(ViewWindow, SpacePausesAndResumesTheFigures) {
    const auto demo = Start({});
    ASSERT_NE(m_window, 0u);
    const Picture moving = Shot();
    ASSERT_TRUE(WaitUntil([&] { return DifferentPixels(moving, Shot(), Scene()) > 0; }, 20))
        << "the figures do not move";

    Key("space");
    const Picture paused = StillPicture();
    Pause(1.0);
    const Picture later = Shot();
    EXPECT_EQ(DifferentPixels(paused, later, Scene()), 0);
    const Region fps{0, FPS_LINE_TOP, m_width / 2, FPS_LINE_BOTTOM};
    EXPECT_TRUE(WaitUntil([&] { return DifferentPixels(paused, Shot(), fps) > 0; }, 20))
        << "the frame rate stays as it was: no frames are drawn";
    const int highQualityEnd = ModeLineEnd(paused);
    Key("c");
    EXPECT_TRUE(WaitUntil([&] { return ModeLineEnd(Shot()) < highQualityEnd - 40; }, 20));
    Key("c");
    EXPECT_TRUE(WaitUntil([&] { return ModeLineEnd(Shot()) == highQualityEnd; }, 20));
    EXPECT_EQ(DifferentPixels(paused, Shot(), Scene()), 0);

    Key("space");
    EXPECT_TRUE(WaitUntil([&] { return DifferentPixels(paused, Shot(), Scene()) > 0; }, 20))
        << "the figures stay still after Space again";
    demo->Signal(SIGTERM);
    demo->Wait(20);
}

// A view saved after a Control drag, in CSM with the figures paused, shows
// the same picture in a new program, opened from the View menu or with
// --view.
TEST_F(ViewWindow, ASavedViewOpensTheSameInANewProgram) {
    const std::string path = Home() + "/dragged.kvxview";
    Picture saved;
    int savedModeEnd = 0;
    {
        const auto demo = Start({});
        ASSERT_NE(m_window, 0u);
        Key("space");
        Key("c");
        ControlDrag(300, 400, 400);
        saved = StillPicture();
        savedModeEnd = ModeLineEnd(saved);
        ASSERT_NO_FATAL_FAILURE(SaveView(demo->Pid(), path));
        ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(path); }, 20));
        // The window is drawn again where the dialog was.
        EXPECT_TRUE(WaitUntil([&] { return DifferentPixels(saved, Shot(), Scene()) == 0; }, 20))
            << "saving changed the view";
        demo->Signal(SIGTERM);
        demo->Wait(20);
    }
    EXPECT_THAT(ReadFile(path), HasSubstr("compared-mode csm\n"));
    EXPECT_THAT(ReadFile(path), HasSubstr("paused on\n"));

    {
        const auto demo = Start({});
        ASSERT_NE(m_window, 0u);
        EXPECT_GT(DifferentPixels(saved, Shot(), Scene()), 10000);
        ASSERT_NO_FATAL_FAILURE(OpenView(demo->Pid(), path));
        EXPECT_TRUE(WaitUntil([&] { return DifferentPixels(saved, Shot(), Scene()) == 0; }, 20))
            << DifferentPixels(saved, Shot(), Scene()) << " pixels differ after Open View";
        EXPECT_EQ(ModeLineEnd(Shot()), savedModeEnd);
        demo->Signal(SIGTERM);
        demo->Wait(20);
    }
    {
        const auto demo = Start({"--view", path});
        ASSERT_NE(m_window, 0u);
        EXPECT_TRUE(WaitUntil([&] { return DifferentPixels(saved, Shot(), Scene()) == 0; }, 20))
            << DifferentPixels(saved, Shot(), Scene()) << " pixels differ with --view";
        EXPECT_EQ(ModeLineEnd(Shot()), savedModeEnd);
        demo->Signal(SIGTERM);
        demo->Wait(20);
    }
}

// A start-up view file turned into each kind of damage.
struct Damage {
    const char* what;
    std::string text;
    std::string message;
};

std::vector<Damage> DamagedFiles() {
    const std::string whole =
        "kvx-view 1\neye 30,-100,120\nlight 60,-135,1200\nshadow-mode ssm\ncompared-mode none\n"
        "inset off\nheat-colours off\nreadout off\npaused on\nfigure-1 0,0\nfigure-2 0,0\n"
        "figure-3 0,0\nfigure-4 0,0\nfigure-5 0,0\n";
    std::string eyeAbove = whole;
    eyeAbove.replace(eyeAbove.find("eye 30"), 6, "eye 180");
    std::string notANumber = whole;
    notANumber.replace(notANumber.find("-100"), 4, "west");
    const std::string huge = whole + std::string(100000, '#') + "\n";
    return {
        {"empty", "", "the file is empty"},
        {"wrong version", "kvx-view 7\n" + whole.substr(11),
         "version 7 of the view file format; this program reads version 1"},
        {"out of range", eyeAbove,
         "line 2: eye is not ELEVATION,AZIMUTH,DISTANCE with elevation 5 to 175 and distance 10 "
         "to 200"},
        {"not a number", notANumber,
         "line 2: eye is not ELEVATION,AZIMUTH,DISTANCE with elevation 5 to 175 and distance 10 "
         "to 200"},
        {"huge", huge,
         "the file is " + std::to_string(huge.size()) +
             " bytes, more than the 4096 bytes a view file may have"},
    };
}

// Each damaged file opened from the menu is named with what is wrong (here on
// standard error, with --batch) and leaves the view as it was.
TEST_F(ViewWindow, ADamagedViewFileFromTheMenuChangesNothing) {
    const auto demo = Start({"--batch"});
    ASSERT_NE(m_window, 0u);
    Key("space");
    const Picture before = StillPicture();
    const int modeEnd = ModeLineEnd(before);
    const std::vector<Damage> damages = DamagedFiles();
    for (const Damage& damage : damages) {
        const std::string path = Home() + "/" + damage.what + ".kvxview";
        WriteFile(path, damage.text);
        ASSERT_NO_FATAL_FAILURE(OpenView(demo->Pid(), path)) << damage.what;
        // Drawn again where the dialog was, the view is the same as before.
        EXPECT_TRUE(WaitUntil([&] { return DifferentPixels(before, Shot(), Scene()) == 0; }, 20))
            << damage.what;
        EXPECT_EQ(ModeLineEnd(Shot()), modeEnd) << damage.what;
    }
    demo->Signal(SIGTERM);
    const ProgramRun run = demo->Wait(20);
    for (const Damage& damage : damages) {
        EXPECT_THAT(run.err, HasSubstr("The view file " + Home() + "/" + damage.what +
                                       ".kvxview cannot be opened: " + damage.message +
                                       ". The view stays as it was."));
    }
}

// Without --batch a damaged file opened from the menu is reported in a
// message box over the window, which stays until it is answered; the program
// then goes on, with the view as it was.
TEST_F(ViewWindow, ADamagedViewFileFromTheMenuIsShownInAMessageBox) {
    const auto demo = Start({});
    ASSERT_NE(m_window, 0u);
    Key("space");
    const Picture before = StillPicture();
    const Damage damage = DamagedFiles()[1];
    const std::string path = Home() + "/" + damage.what + ".kvxview";
    WriteFile(path, damage.text);
    ASSERT_NO_FATAL_FAILURE(OpenView(demo->Pid(), path));
    Window box = 0;
    ASSERT_TRUE(WaitUntil([&] { return (box = MessageBoxOf(m_display, demo->Pid())) != 0; }, 30))
        << "no message box appeared";
    Pause(1.0);
    ASSERT_NE(MessageBoxOf(m_display, demo->Pid()), 0u) << "the message box closed unanswered";
    Xdotool({"mousemove", "--window", std::to_string(box), "20", "20", "key", "Return"});
    EXPECT_TRUE(WaitUntil([&] { return MessageBoxOf(m_display, demo->Pid()) == 0; }, 20))
        << "the message box stayed open";
    EXPECT_TRUE(WaitUntil([&] { return DifferentPixels(before, Shot(), Scene()) == 0; }, 20))
        << "the view changed";
    demo->Signal(SIGTERM);
    const ProgramRun run = demo->Wait(20);
    EXPECT_EQ(run.signal, SIGTERM) << "the program ended by itself: " << run.err;
}

// A damaged file named at start-up ends the program before any window, with
// the file and what is wrong on standard error; so does one that is missing.
TEST(ViewFileAtStartUp, ADamagedFileEndsTheProgramBeforeAnyWindow) {
    const std::string folder = testing::TempDir() + "kvx-view-start-up";
    std::filesystem::create_directories(folder);
    std::vector<Damage> damages = DamagedFiles();
    damages.push_back({"missing", "", "No such file or directory"});
    for (const Damage& damage : damages) {
        const std::string path = folder + "/" + damage.what + ".kvxview";
        if (damage.what != std::string("missing"))
            WriteFile(path, damage.text);
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"--view", path, "--measure"}, {path}}) {
            const ProgramRun run =
                RunProgram(KVX_DEMO, args, KVX_SOURCE_DIR, {"SDL_AUDIODRIVER=dummy"});
            EXPECT_EQ(run.exitCode, 1) << damage.what;
            EXPECT_EQ(run.err, "kvx-demo: " + path + ": " + damage.message + "\n") << damage.what;
            EXPECT_EQ(run.out, "") << damage.what;
        }
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
