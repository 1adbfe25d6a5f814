#include "app/about_dialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>

#include "app/logo_image.h"

namespace {

// The box's layout in pixels: 279 x 236 dialog units of an 8-point font.
constexpr int WIDTH = 420, HEIGHT = 380;
constexpr int MARGIN = 10;
constexpr int TEXT_HEIGHT = 300;
constexpr int BUTTON_WIDTH = 75, BUTTON_HEIGHT = 26;
constexpr int TEXT_SIZE = 12;

void HideWindow(Fl_Widget*, void* window) {
    static_cast<Fl_Window*>(window)->hide();
}

}  // namespace

struct CAboutDialog::Widgets {
    explicit Widgets(const std::string& text);

    // Declared before the widgets that show them, so they outlive those widgets.
    std::unique_ptr<Fl_RGB_Image> logo;
    Fl_Text_Buffer textBuffer;
    Fl_Double_Window window;
    Fl_Text_Display textField;
    Fl_Box logoBox;
    Fl_Return_Button okButton;
};

CAboutDialog::Widgets::Widgets(const std::string& text)
    : logo(CreateLogoImage()),
      window(WIDTH, HEIGHT, "About KVX_Demo"),
      textField(MARGIN, MARGIN, WIDTH - 2 * MARGIN, TEXT_HEIGHT),
      logoBox(MARGIN, HEIGHT - MARGIN - LOGO_HEIGHT, LOGO_WIDTH, LOGO_HEIGHT),
      okButton(WIDTH - MARGIN - BUTTON_WIDTH, HEIGHT - MARGIN - BUTTON_HEIGHT, BUTTON_WIDTH,
               BUTTON_HEIGHT, "OK") {
    window.end();
    window.set_modal();
    textBuffer.text(text.c_str());
    textField.buffer(&textBuffer);
    textField.textsize(TEXT_SIZE);
    textField.wrap_mode(Fl_Text_Display::WRAP_AT_BOUNDS, 0);
    logoBox.box(FL_NO_BOX);
    logoBox.image(logo.get());
    okButton.callback(HideWindow, &window);
}

CAboutDialog::CAboutDialog(const std::string& text) : m_widgets(std::make_unique<Widgets>(text)) {}

CAboutDialog::~CAboutDialog() = default;

void CAboutDialog::DoModal() {
    m_widgets->window.show();
    m_widgets->okButton.take_focus();
    while (m_widgets->window.shown()) {
        Fl::wait();
    }
}

Fl_Double_Window& CAboutDialog::Window() {
    return m_widgets->window;
}
Fl_Text_Display& CAboutDialog::TextField() {
    return m_widgets->textField;
}
Fl_Return_Button& CAboutDialog::OkButton() {
    return m_widgets->okButton;
}

void RunAboutDialog(const std::string& text) {
    CAboutDialog dialog(text);
    dialog.DoModal();
}
