#include "app/keys_and_mouse.h"

#include <algorithm>

namespace {

constexpr int PANEL_TOP = 70;     // below the lines of text at the top left
constexpr int PANEL_BOTTOM = 40;  // room left for the placement line
constexpr int PADDING = 10;
constexpr int COLUMN_GAP = 16;
const KeyHelp MORE = {"...", "a taller window shows the rest"};

// The widest of the key column's texts, of the lines with an action.
int KeyColumnWidth(const std::vector<KeyHelp>& help,
                   const std::function<int(const std::string&)>& textWidth) {
    int widest = 0;
    for (const KeyHelp& line : help) {
        if (*line.action != '\0')
            widest = std::max(widest, textWidth(line.keys));
    }
    return widest;
}

}  // namespace

const std::vector<KeyHelp>& KeysAndMouse() {
    static const std::vector<KeyHelp> help = {
        {"Keys and mouse", "F1 or Help > Keys and Mouse shows or hides this"},
        {"Control + left drag", "turns the eye about the scene (the light, after Options >"},
        {"", "Navigation Mode > Light)"},
        {"Shift + left drag", "moves it nearer or farther"},
        {"Mouse wheel", "the same, 5% of its range a notch (9.5 for the eye, 60 for the light)"},
        {"Home", "eye and light back to the start-up view (View > Start-up View)"},
        {"Space", "pauses or resumes the figures"},
        {"Options > Shadow Mode", ""},
        {"   KVX High Quality", "the warped shadow map, with a five-lookup filtered test"},
        {"   KVX", "the warped shadow map, one lookup"},
        {"   SSM", "the standard shadow map, for comparison"},
        {"Options > Navigation Mode", "Eye or Light: which one the mouse moves"},
        {"Options > Sound", "the ambient sound on or off"},
        {"View menu keys", "each key again turns its view off"},
        {"   M", "the shadow map in a corner: the eye frustum yellow, the map's edge red"},
        {"   H", "the scene coloured by texels per pixel"},
        {"   R", "the median texels per pixel and the map coverage"},
        {"   L, C, S", "LiSPSM, CSM or CSM stable instead of the shadow mode"},
        {"   E", "where the eye and the light are, as --eye and --light take them"},
        {"View > Save View...", "writes the view to a file"},
        {"View > Open View...", "restores a view from a file"},
    };
    return help;
}

HelpPanelLayout LayOutHelpPanel(const std::vector<KeyHelp>& help, int windowWidth, int windowHeight,
                                int lineHeight,
                                const std::function<int(const std::string&)>& textWidth) {
    const int room = windowHeight - PANEL_TOP - PANEL_BOTTOM - 2 * PADDING;
    const int fits = std::max(0, room / std::max(1, lineHeight));
    const std::size_t shown = std::min(help.size(), static_cast<std::size_t>(fits));
    HelpPanelLayout layout;
    if (shown == 0)
        return layout;
    const int actionX = PADDING + KeyColumnWidth(help, textWidth) + COLUMN_GAP;
    int width = 0;
    for (std::size_t i = 0; i < shown; ++i) {
        const KeyHelp& line = i + 1 == shown && shown < help.size() ? MORE : help[i];
        const int y = PADDING + static_cast<int>(i) * lineHeight;
        layout.lines.push_back({PADDING, y, line.keys});
        width = std::max(width, PADDING + textWidth(line.keys));
        if (*line.action != '\0') {
            layout.lines.push_back({actionX, y, line.action});
            width = std::max(width, actionX + textWidth(line.action));
        }
    }
    width += PADDING;
    const int height = static_cast<int>(shown) * lineHeight + 2 * PADDING;
    layout.box = {std::max(0, (windowWidth - width) / 2), PANEL_TOP, width, height};
    return layout;
}
