#include "app/about_dialog.h"

#include <gtest/gtest.h>

// After gtest: FLTK's text display header pulls in Xlib and its macros.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>
#include <FL/Fl_Window.H>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/about_box.h"
#include "platform/display_connection.h"
#include "view/view_host.h"

namespace {

constexpr double POLL_SECONDS = 0.02;
constexpr auto GIVE_UP_AFTER = std::chrono::seconds(20);

class AboutDialogOnDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!OpenDisplayConnection())
            GTEST_SKIP() << "no X display";
    }
};

// Delivers a key press to window the way the event loop does.
void PressKey(Fl_Window* window, int key, const char* text) {
    Fl::e_keysym = key;
    Fl::e_state = 0;
    Fl::e_text = const_cast<char*>(text);
    Fl::e_length = int(std::string(text).size());
    Fl::handle(FL_KEYBOARD, window);
}

// The field's text; the buffer hands out a copy that the caller frees.
std::string BufferText(Fl_Text_Display& field) {
    char* copy = field.buffer()->text();
    std::string text(copy);
    std::free(copy);
    return text;
}

template <typename T>
T* FindChild(Fl_Window* window) {
    for (int i = 0; i < window->children(); ++i) {
        if (auto* found = dynamic_cast<T*>(window->child(i)))
            return found;
    }
    return nullptr;
}

struct Closer {
    const char* name;
    std::function<void(Fl_Window*)> close;
};

// Records the frame timer calls the about box makes on the view's host.
class TimerLog : public ViewHost {
  public:
    std::vector<std::string> calls;

    Fl_Gl_Window* GlWindow() override { return nullptr; }
    void SetTimer(unsigned id, unsigned periodMs) override {
        calls.push_back("set " + std::to_string(id) + " " + std::to_string(periodMs));
    }
    void KillTimer(unsigned id) override { calls.push_back("kill " + std::to_string(id)); }
    void Invalidate() override {}
    void SwapBuffers() override {}
    void PostQuit(int) override {}
    void CheckMenuItem(unsigned, bool) override {}
};

// One run of the about box opened from a timeout of the running event loop,
// and closed from inside its own modal loop.
struct Session {
    std::function<void()> open;
    const Closer* closer = nullptr;
    bool returned = false;
    bool sawModalBox = false;
    std::string caption;
    std::function<void()> whileOpen;  // runs once the box is shown, before it is closed

    static void Open(void* data) {
        Session& session = *static_cast<Session*>(data);
        session.open();
        session.returned = true;
    }
    static void Close(void* data) {
        Session& session = *static_cast<Session*>(data);
        Fl_Window* box = Fl::modal();
        if (box == nullptr || !box->shown()) {
            Fl::repeat_timeout(POLL_SECONDS, Close, data);
            return;
        }
        session.sawModalBox = true;
        session.caption = box->label() ? box->label() : "";
        if (session.whileOpen)
            session.whileOpen();
        session.closer->close(box);
    }

    void Run() {
        Fl::add_timeout(0.0, Open, this);
        Fl::add_timeout(POLL_SECONDS, Close, this);
        const auto deadline = std::chrono::steady_clock::now() + GIVE_UP_AFTER;
        while (!returned && std::chrono::steady_clock::now() < deadline)
            Fl::wait(POLL_SECONDS);
        Fl::remove_timeout(Close, this);
    }
};

const std::vector<Closer> CLOSERS = {
    {"OK button", [](Fl_Window* box) { FindChild<Fl_Return_Button>(box)->do_callback(); }},
    {"Enter key", [](Fl_Window* box) { PressKey(box, FL_Enter, "\r"); }},
    {"Escape key", [](Fl_Window* box) { PressKey(box, FL_Escape, "\033"); }},
    {"close box", [](Fl_Window* box) { box->do_callback(); }},
};

TEST_F(AboutDialogOnDisplay, OpensModalFromTheEventLoopAndClosesEveryWay) {
    for (const Closer& closer : CLOSERS) {
        Session session;
        session.open = [] { RunAboutDialog("About text"); };
        session.closer = &closer;
        session.Run();
        EXPECT_TRUE(session.returned) << closer.name;
        EXPECT_TRUE(session.sawModalBox) << closer.name;
        EXPECT_EQ(session.caption, "About KVX_Demo") << closer.name;
        EXPECT_EQ(Fl::modal(), nullptr) << closer.name;
    }
}

// The frame timer is stopped before the box appears and restarted at 5 ms
// after it closes, whichever way it is closed.
TEST_F(AboutDialogOnDisplay, FrameTimerStopsWhileTheBoxIsOpen) {
    for (const Closer& closer : CLOSERS) {
        TimerLog host;
        std::vector<std::string> callsWhileOpen;
        Session session;
        session.open = [&host] { ShowAboutBoxOverView(host, "About text"); };
        session.whileOpen = [&] { callsWhileOpen = host.calls; };
        session.closer = &closer;
        session.Run();
        ASSERT_TRUE(session.returned) << closer.name;
        EXPECT_EQ(callsWhileOpen, std::vector<std::string>{"kill 275"}) << closer.name;
        EXPECT_EQ(host.calls, (std::vector<std::string>{"kill 275", "set 275 5"})) << closer.name;
    }
}

TEST_F(AboutDialogOnDisplay, TextAtTheTopLogoBottomLeftOkBottomRight) {
    CAboutDialog dialog("line one\nline two");
    Fl_Window& window = dialog.Window();
    EXPECT_STREQ(window.label(), "About KVX_Demo");
    EXPECT_TRUE(window.modal());
    EXPECT_NEAR(window.w(), 420, 10);
    EXPECT_NEAR(window.h(), 380, 10);

    Fl_Text_Display& text = dialog.TextField();
    EXPECT_EQ(BufferText(text), "line one\nline two");
    EXPECT_LT(text.y(), window.h() / 4);
    EXPECT_GT(text.w(), window.w() * 9 / 10);

    Fl_Box* logo = FindChild<Fl_Box>(&window);
    ASSERT_NE(logo, nullptr);
    ASSERT_NE(logo->image(), nullptr);
    EXPECT_EQ(logo->image()->w(), 100);
    EXPECT_EQ(logo->image()->h(), 51);
    EXPECT_LT(logo->x(), window.w() / 4);
    EXPECT_GT(logo->y(), text.y() + text.h());

    Fl_Return_Button& ok = dialog.OkButton();
    EXPECT_STREQ(ok.label(), "OK");
    EXPECT_GT(ok.x(), window.w() / 2);
    EXPECT_GT(ok.y(), text.y() + text.h());
    EXPECT_LE(ok.x() + ok.w(), window.w());
    EXPECT_LE(ok.y() + ok.h(), window.h());
}

TEST_F(AboutDialogOnDisplay, TextCannotBeEdited) {
    const std::string original = "Fixed text\nsecond line";
    CAboutDialog dialog(original);
    dialog.Window().show();
    Fl_Text_Display& text = dialog.TextField();
    Fl::focus(&text);
    struct Key {
        int key;
        const char* text;
    };
    for (const Key& key : {Key{'x', "x"}, Key{FL_BackSpace, "\b"}, Key{FL_Delete, "\177"},
                           Key{FL_Tab, "\t"}, Key{' ', " "}}) {
        Fl::e_keysym = key.key;
        Fl::e_state = 0;
        Fl::e_text = const_cast<char*>(key.text);
        Fl::e_length = 1;
        text.handle(FL_KEYBOARD);
        EXPECT_EQ(BufferText(text), original) << key.key;
    }
    Fl::e_text = const_cast<char*>("pasted");
    Fl::e_length = 6;
    text.handle(FL_PASTE);
    EXPECT_EQ(BufferText(text), original);
    dialog.Window().hide();
}

TEST_F(AboutDialogOnDisplay, LongTextWrapsAndScrollsVertically) {
    std::string longLine(600, 'w');
    for (std::size_t i = 5; i < longLine.size(); i += 6)
        longLine[i] = ' ';
    std::string manyLines;
    for (int i = 0; i < 100; ++i)
        manyLines += "line\n";
    CAboutDialog dialog(longLine + "\n" + manyLines + "end");
    dialog.Window().show();
    Fl::flush();
    Fl_Text_Display& text = dialog.TextField();
    int x = 0, y = 0;
    // A word far into the long line is shown on a later row inside the field.
    ASSERT_TRUE(text.position_to_xy(300, &x, &y));
    EXPECT_LT(x, text.x() + text.w());
    EXPECT_GT(y, text.y() + 20);
    const int end = text.buffer()->length();
    EXPECT_FALSE(text.position_to_xy(end, &x, &y));
    text.insert_position(end);
    text.show_insert_position();
    EXPECT_TRUE(text.position_to_xy(end, &x, &y));
    dialog.Window().hide();
}

}  // namespace
