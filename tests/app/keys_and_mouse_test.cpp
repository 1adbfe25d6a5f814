// The keys-and-mouse help: how it is laid out in windows of any size, and
// that it says what the program's --help says.

#include "app/keys_and_mouse.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "app/command_line.h"

namespace {

constexpr int LINE_HEIGHT = 16;

// About the HUD font's widths: 7 pixels a character.
int SevenEach(const std::string& text) {
    return 7 * static_cast<int>(text.size());
}

std::string AllText(const HelpPanelLayout& layout) {
    std::string all;
    for (const TextBoxLine& line : layout.lines)
        all += line.text + "\n";
    return all;
}

TEST(KeysAndMouse, AllOfItFitsAWindowOf800By600) {
    const HelpPanelLayout layout =
        LayOutHelpPanel(KeysAndMouse(), 800, 600, LINE_HEIGHT, SevenEach);
    const TextBox& box = layout.box;
    EXPECT_GE(box.left, 0);
    EXPECT_LE(box.left + box.width, 800);
    EXPECT_GE(box.top, 60) << "the panel covers the mode line, frame rate or readout";
    EXPECT_LE(box.top + box.height, 600 - 30) << "the panel covers the position line";
    const std::string all = AllText(layout);
    for (const KeyHelp& line : KeysAndMouse())
        EXPECT_NE(all.find(line.action), std::string::npos) << line.action;
    EXPECT_EQ(all.find("taller window"), std::string::npos);
    for (const TextBoxLine& line : layout.lines) {
        EXPECT_LE(line.x + SevenEach(line.text), box.width) << line.text;
        EXPECT_LE(line.y + LINE_HEIGHT, box.height) << line.text;
    }
}

// A short window shows the lines that fit and says there are more; one too
// small for any line shows no box at all.
TEST(KeysAndMouse, AShortWindowShowsWhatFits) {
    const struct {
        int width, height;
        std::size_t lines;  // of the help shown, the last one saying there are more
    } cases[] = {
        {800, 300, 10}, {200, 200, 4}, {800, 150, 1}, {800, 140, 0}, {3, 3, 0}, {0, 0, 0},
    };
    for (const auto& c : cases) {
        const HelpPanelLayout layout =
            LayOutHelpPanel(KeysAndMouse(), c.width, c.height, LINE_HEIGHT, SevenEach);
        const std::string all = AllText(layout);
        if (c.lines == 0) {
            EXPECT_TRUE(layout.lines.empty()) << c.height;
            EXPECT_EQ(layout.box.height, 0) << c.height;
            continue;
        }
        EXPECT_LE(layout.box.top + layout.box.height, c.height) << c.height;
        EXPECT_GE(layout.box.left, 0) << c.width;
        EXPECT_EQ(layout.lines.back().text, "a taller window shows the rest") << c.height;
        EXPECT_EQ(layout.lines.back().y, 10 + static_cast<int>(c.lines - 1) * LINE_HEIGHT);
    }
}

// Where the window and --help both speak of a key or mouse action, they name
// it alike.
TEST(KeysAndMouse, AgreesWithTheCommandLineHelp) {
    RunOptions o;
    const std::string usage = ParseRunOptions({"--help"}, o).text;
    std::string panel;
    for (const KeyHelp& line : KeysAndMouse())
        panel += std::string(line.keys) + " " + line.action + "\n";
    for (const char* shared : {"Control + left drag", "Shift + left drag", "mouse wheel",
                               "LiSPSM, CSM", "CSM stable", "texels per pixel", "map coverage",
                               "as --eye and --light take them", "start-up view", "F1"}) {
        const auto folded = [](std::string text) {
            for (char& c : text)
                c = c == '\n' ? ' '
                              : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return text;
        };
        EXPECT_NE(folded(usage).find(folded(shared)), std::string::npos) << "--help: " << shared;
        EXPECT_NE(folded(panel).find(folded(shared)), std::string::npos) << "panel: " << shared;
    }
}

}  // namespace
