// The menu bar's items, their keys and check marks, and what a pick of each
// hands on.

#include "app/options_menu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "view/command_ids.h"

namespace {

struct Item {
    std::string path;
    int shortcut;
    int kind;  // FL_MENU_RADIO, FL_MENU_TOGGLE or 0, with FL_MENU_VALUE when checked
    bool operator==(const Item& o) const {
        return path == o.path && shortcut == o.shortcut && kind == o.kind;
    }
};

std::ostream& operator<<(std::ostream& out, const Item& item) {
    return out << item.path << " key " << item.shortcut << " kind " << item.kind;
}

constexpr int RADIO_ON = FL_MENU_RADIO | FL_MENU_VALUE;
constexpr int KINDS = FL_MENU_RADIO | FL_MENU_TOGGLE | FL_MENU_VALUE;

// Every item that can be picked, in menu order.
std::vector<Item> Items(OptionsMenu& menu) {
    std::vector<Item> items;
    for (int i = 0; i < menu.size(); ++i) {
        const Fl_Menu_Item& item = menu.menu()[i];
        char path[256];
        if (item.label() == nullptr || item.submenu() ||
            menu.item_pathname(path, sizeof path, &item) != 0)
            continue;
        items.push_back({path, item.shortcut(), item.flags & KINDS});
    }
    return items;
}

struct Menu : testing::Test {
    std::vector<unsigned> commands;
    int abouts = 0;
    OptionsMenu menu{
        0,
        0,
        800,
        25,
        {[this](unsigned id) { commands.push_back(id); }, [] {}, [this] { ++abouts; }}};
};

// The items the program had stay as they were, in their order and with their
// start-up marks; the position, the start-up view, the pause, the view files
// and the help are added, off.
TEST_F(Menu, ItemsKeysAndStartUpMarks) {
    const std::vector<Item> expected = {
        {"&File/E&xit", 0, 0},
        {"Options/Shadow Mode/KVX High Quality", 0, RADIO_ON},
        {"Options/Shadow Mode/KVX", 0, FL_MENU_RADIO},
        {"Options/Shadow Mode/SSM", 0, FL_MENU_RADIO},
        {"Options/Navigation Mode/Eye", 0, RADIO_ON},
        {"Options/Navigation Mode/Light", 0, FL_MENU_RADIO},
        {"Options/Sound/On", 0, RADIO_ON},
        {"Options/Sound/Off", 0, FL_MENU_RADIO},
        {"View/Shadow Map Inset", 'm', FL_MENU_TOGGLE},
        {"View/Texels per Pixel Colours", 'h', FL_MENU_TOGGLE},
        {"View/Texels per Pixel Readout", 'r', FL_MENU_TOGGLE},
        {"View/LiSPSM", 'l', FL_MENU_TOGGLE},
        {"View/CSM", 'c', FL_MENU_TOGGLE},
        {"View/CSM stable", 's', FL_MENU_TOGGLE},
        {"View/Eye and Light Position", 'e', FL_MENU_TOGGLE},
        {"View/Start-up View", FL_Home, 0},
        {"View/Pause Figures", ' ', FL_MENU_TOGGLE},
        {"View/Save View...", 0, 0},
        {"View/Open View...", 0, 0},
        {"&Help/&Keys and Mouse", FL_F + 1, 0},
        {"&Help/&About KVX_Demo...", 0, 0},
    };
    EXPECT_EQ(Items(menu), expected);
}

// A pick hands its command on with the marks as they were: the window moves
// them. The start-up view and the help carry no mark at all.
TEST_F(Menu, PicksHandTheirCommandsOnAndLeaveTheMarks) {
    const struct {
        const char* path;
        unsigned command;
    } picks[] = {
        {"View/Eye and Light Position", ID_VIEW_PLACEMENT},
        {"View/Start-up View", ID_VIEW_START_UP},
        {"&Help/&Keys and Mouse", ID_HELP_KEYS_AND_MOUSE},
    };
    const std::vector<Item> before = Items(menu);
    for (const auto& pick : picks) {
        commands.clear();
        menu.picked(&menu.menu()[menu.find_index(pick.path)]);
        EXPECT_EQ(commands, std::vector<unsigned>{pick.command}) << pick.path;
        EXPECT_EQ(Items(menu), before) << pick.path;
    }
    menu.Check(ID_VIEW_PLACEMENT, true);
    EXPECT_TRUE(menu.IsChecked(ID_VIEW_PLACEMENT));
    menu.picked(&menu.menu()[menu.find_index("&Help/&About KVX_Demo...")]);
    EXPECT_EQ(abouts, 1);
}

}  // namespace
