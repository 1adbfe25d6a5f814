#pragma once

#include <memory>
#include <string>

class Fl_Double_Window;
class Fl_Return_Button;
class Fl_Text_Display;

// The about box: a modal window captioned "About KVX_Demo" with the text in a
// read-only, word-wrapped, vertically scrolling field, the logo bottom-left and
// an "OK" button bottom-right. OK, Enter, Escape and the close box all close it.
// The FLTK widgets stay out of this header: some of their headers pull in Xlib,
// whose macros clash with ordinary names.
class CAboutDialog {
  public:
    explicit CAboutDialog(const std::string& text);
    ~CAboutDialog();
    CAboutDialog(const CAboutDialog&) = delete;
    CAboutDialog& operator=(const CAboutDialog&) = delete;

    // Shows the box and runs a nested event loop until it is closed; works
    // from inside a running FLTK event loop (a timeout or a menu callback).
    void DoModal();

    Fl_Double_Window& Window();
    Fl_Text_Display& TextField();
    Fl_Return_Button& OkButton();

  private:
    struct Widgets;
    std::unique_ptr<Widgets> m_widgets;
};

// Shows the about box with text and returns when the user has closed it.
void RunAboutDialog(const std::string& text);
