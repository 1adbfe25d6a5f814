#pragma once

#include <FL/Fl_Menu_Bar.H>

#include <functional>
#include <map>

// The main window's menu bar: "&File", "Options", "View" and "&Help". The
// check marks of the Options and View items change only through Check():
// FLTK's own toggling of a picked item is undone before the item's command
// runs.
class OptionsMenu : public Fl_Menu_Bar {
  public:
    // What the menu's commands do: one callback for the Options and View
    // items (with their command ids), one for Exit and one for About.
    struct Handlers {
        std::function<void(unsigned)> command;
        std::function<void()> exit;
        std::function<void()> about;
    };

    OptionsMenu(int x, int y, int w, int h, Handlers handlers);

    void Check(unsigned commandId, bool checked);
    bool IsChecked(unsigned commandId);

  private:
    static void OnCommand(Fl_Widget* menu, void* commandId);
    static void OnExit(Fl_Widget* menu, void*);
    static void OnAbout(Fl_Widget* menu, void*);
    int ItemIndex(unsigned commandId);
    void RestoreMarks();

    Handlers m_handlers;
    std::map<unsigned, bool> m_marks;  // the check marks, by command id
};
