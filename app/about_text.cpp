#include "app/about_text.h"

#include "platform/small_files.h"

namespace {

constexpr const char* TITLE = "KVX Demo, version of December 2026";

constexpr const char* DESCRIPTION =
    "KVX Demo draws real-time shadows with a warped shadow map. Every frame, the eye's view "
    "frustum, as the light sees it, is enclosed in a trapezoid, and a projective matrix N_T "
    "stretches that trapezoid over the whole shadow map. The part of the scene near the eye "
    "then gets most of the map's texels, so the shadows close to the viewer stay sharp.\n"
    "The Options menu switches between three modes: \"KVX High Quality\" (the warped map with "
    "a filtered five-tap shadow test, the start-up mode), \"KVX\" (the warped map with one "
    "depth-compared lookup) and \"SSM\" (a standard, unwarped shadow map, for comparison). "
    "It also chooses whether the mouse moves the eye or the light, and turns the sound on or "
    "off.";

constexpr const char* NAVIGATION =
    "Navigation:\n"
    "- Use left mouse button + shift key to zoom in and out\n"
    "- Use left mouse button + control key to rotate";

constexpr const char* KEYS =
    "Keys (the View menu):\n"
    "- M: the shadow map in a corner of the view, the eye frustum outlined\n"
    "- H: the scene coloured by shadow-map texels per screen pixel\n"
    "- R: a line with the median texels per pixel and the map coverage\n"
    "- L: LiSPSM, a light-space perspective shadow map, for comparison\n"
    "- C: CSM, four cascaded shadow maps, for comparison\n"
    "L or C again, or a shadow mode from the Options menu, returns to that mode.";

constexpr const char* TERMS =
    "Terms of use:\n"
    "KVX Demo may be used, copied and passed on freely. It comes with no warranty of any "
    "kind; you use it at your own risk.";

constexpr const char* MISSING_ASSET_CREDITS =
    "The credits file for the scene assets was not found.";

constexpr const char* LIBRARIES =
    "Libraries (Debian packages):\n"
    "- OpenGL through Mesa (libgl1-mesa-dri, libglx-mesa0)\n"
    "- GLEW, the OpenGL extension loader (libglew2.2)\n"
    "- GLU, the OpenGL utility library (libglu1-mesa)\n"
    "- DevIL, image loading (libdevil1c2)\n"
    "- FLTK, windows, menus and dialogs (libfltk1.3)\n"
    "- FreeType, glyph rendering for the on-screen text (libfreetype6)\n"
    "- fontconfig, font lookup (libfontconfig1)\n"
    "- Liberation Sans, the on-screen font (fonts-liberation)\n"
    "- SDL2 and SDL2_mixer, sound output (libsdl2-2.0-0, libsdl2-mixer-2.0-0)";

constexpr const char* CONTACT =
    "Contact:\n"
    "Questions, ideas and bug reports are welcome on the issue tracker of the KVX Demo "
    "repository.";

// Far above the credits the baker writes (9 KB); the box would not show more anyway.
constexpr std::size_t MAX_CREDITS_BYTES = 256 * 1024;

std::string WithoutTrailingLineBreaks(std::string text) {
    const std::size_t end = text.find_last_not_of("\r\n");
    text.erase(end == std::string::npos ? 0 : end + 1);
    return text;
}

std::string CreditsSection(const std::string& assetCredits) {
    const std::string assets = WithoutTrailingLineBreaks(assetCredits);
    return std::string("Credits:\n") + "Scene assets:\n" +
           (assets.empty() ? MISSING_ASSET_CREDITS : assets) + "\n\n" + LIBRARIES;
}

}  // namespace

std::string AboutText(const std::string& assetCredits) {
    const std::string separator = "\n\n";
    return std::string(TITLE) + separator + DESCRIPTION + separator + NAVIGATION + separator +
           KEYS + separator + TERMS + separator + CreditsSection(assetCredits) + separator +
           CONTACT + "\n";
}

std::string ReadAssetCredits(const std::string& path) {
    std::string bytes;
    ReadSmallRegularFile(path, MAX_CREDITS_BYTES, bytes);
    std::string text;
    for (const char c : bytes) {
        if (c == '\n' && !text.empty() && text.back() == '\r')
            text.back() = '\n';
        else
            text.push_back(c);
    }
    return text;
}
