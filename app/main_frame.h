#pragma once

#include <FL/Fl_Double_Window.H>

#include <functional>

#include "app/demo_gl_window.h"
#include "app/options_menu.h"

// The main window: the caption "KVX Demo", the menu bar and the demo view
// below it.
class CMainFrame : public Fl_Double_Window {
  public:
    static constexpr int MENU_HEIGHT = 25;

    // onAbout runs the about box; the shortcuts for the document's
    // commands go to onDocumentCommand (Ctrl+N, Ctrl+O, Ctrl+S as 'n', 'o', 's').
    CMainFrame(const RunOptions& options, std::function<void()> onAbout,
               std::function<void(char)> onDocumentCommand);

    DemoGlWindow& ViewWindow() { return m_viewWindow; }
    OptionsMenu& Menu() { return m_menu; }

  protected:
    int handle(int event) override;

  private:
    void OnCommand(unsigned commandId);
    void ToggleComparedMode(int parametrisation);

    OptionsMenu m_menu;
    DemoGlWindow m_viewWindow;
    std::function<void(char)> m_onDocumentCommand;
};
