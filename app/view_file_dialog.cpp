#include "app/view_file_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_File_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>

namespace {

constexpr int WIDTH = 440, HEIGHT = 320;
constexpr int MARGIN = 10;
constexpr int LABEL_WIDTH = 40;
constexpr int ROW_HEIGHT = 25;
constexpr int BUTTON_WIDTH = 75, BUTTON_HEIGHT = 26;
constexpr const char* PATTERN = "*.kvxview";

// The window's widgets and the name it gives.
struct ViewFileDialog {
    explicit ViewFileDialog(const char* title);
    void Show(const std::string& folder);
    void ShowFolder(const std::string& folder);
    void Pick();

    Fl_Double_Window window;
    Fl_File_Browser files;
    Fl_Input name;
    Fl_Return_Button ok;
    Fl_Button cancel;
    std::string folder;
    std::string chosen;
};

constexpr int BUTTONS_Y = HEIGHT - MARGIN - BUTTON_HEIGHT;
constexpr int NAME_Y = BUTTONS_Y - MARGIN - ROW_HEIGHT;

ViewFileDialog::ViewFileDialog(const char* title)
    : window(WIDTH, HEIGHT, title),
      files(MARGIN, MARGIN, WIDTH - 2 * MARGIN, NAME_Y - 2 * MARGIN),
      name(MARGIN + LABEL_WIDTH, NAME_Y, WIDTH - 2 * MARGIN - LABEL_WIDTH, ROW_HEIGHT, "File:"),
      ok(WIDTH - 2 * (MARGIN + BUTTON_WIDTH), BUTTONS_Y, BUTTON_WIDTH, BUTTON_HEIGHT, "OK"),
      cancel(WIDTH - MARGIN - BUTTON_WIDTH, BUTTONS_Y, BUTTON_WIDTH, BUTTON_HEIGHT, "Cancel") {
    window.end();
    window.set_modal();
    files.type(FL_HOLD_BROWSER);
    files.filter(PATTERN);
    files.callback([](Fl_Widget*, void* dialog) { static_cast<ViewFileDialog*>(dialog)->Pick(); },
                   this);
    ok.callback(
        [](Fl_Widget*, void* dialog) {
            ViewFileDialog* d = static_cast<ViewFileDialog*>(dialog);
            d->chosen = d->name.value();
            d->window.hide();
        },
        this);
    cancel.callback([](Fl_Widget*, void* window) { static_cast<Fl_Window*>(window)->hide(); },
                    &window);
}

void ViewFileDialog::ShowFolder(const std::string& shown) {
    folder = shown;
    files.load(folder.c_str());
}

// A file picked in the list goes into the name field; a folder picked twice
// (a double click) is listed instead.
void ViewFileDialog::Pick() {
    const char* entry = files.text(files.value());
    if (entry == nullptr)
        return;
    const std::string path = folder == "." ? entry : folder + "/" + entry;
    if (path.back() != '/') {
        name.value(path.c_str());
        if (Fl::event_clicks() != 0)
            ok.do_callback();
    } else if (Fl::event_clicks() != 0) {
        ShowFolder(path.substr(0, path.size() - 1));
    }
}

void ViewFileDialog::Show(const std::string& shownFolder) {
    ShowFolder(shownFolder);
    window.show();
    name.take_focus();
    while (window.shown())
        Fl::wait();
}

}  // namespace

std::string AskViewFileName(const char* title, const std::string& folder) {
    ViewFileDialog dialog(title);
    dialog.Show(folder);
    return dialog.chosen;
}
