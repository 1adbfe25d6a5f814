#include "app/window_identity.h"

#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Window.H>

#include <memory>

#include "app/logo_image.h"

namespace {

constexpr const char* WINDOW_CLASS = "kvx-demo";
constexpr int ICON_SIZES[] = {16, 32, 48, 64};
constexpr int ICON_COUNT = sizeof ICON_SIZES / sizeof ICON_SIZES[0];

}  // namespace

void SetWindowIdentity() {
    Fl_Window::default_xclass(WINDOW_CLASS);
    std::unique_ptr<Fl_RGB_Image> icons[ICON_COUNT];
    const Fl_RGB_Image* list[ICON_COUNT];
    for (int i = 0; i < ICON_COUNT; ++i) {
        icons[i] = CreateLogoIcon(ICON_SIZES[i]);
        list[i] = icons[i].get();
    }
    // FLTK keeps copies of the images.
    Fl_Window::default_icons(list, ICON_COUNT);
}
