#include "app/options_menu.h"

#include <cstdint>

#include "view/command_ids.h"

namespace {

struct OptionsItem {
    unsigned id;
    const char* path;
    bool checked;  // at start-up
};

// In menu order.
const OptionsItem OPTIONS_ITEMS[] = {
    {ID_SHADOW_KVX_HIGH_QUALITY, "Options/Shadow Mode/KVX High Quality", true},
    {ID_SHADOW_KVX, "Options/Shadow Mode/KVX", false},
    {ID_SHADOW_SSM, "Options/Shadow Mode/SSM", false},
    {ID_NAVIGATION_EYE, "Options/Navigation Mode/Eye", true},
    {ID_NAVIGATION_LIGHT, "Options/Navigation Mode/Light", false},
    {ID_SOUND_ON, "Options/Sound/On", true},
    {ID_SOUND_OFF, "Options/Sound/Off", false},
};

// The View menu, after Options: toggles with a key each, and the way back to
// the start-up view. LiSPSM and the two CSMs stand in for the Options menu's
// shadow mode while checked.
struct ViewItem {
    unsigned id;
    const char* path;
    int key;
    int flags;
};

const ViewItem VIEW_ITEMS[] = {
    {ID_VIEW_MAP_INSET, "View/Shadow Map Inset", 'm', FL_MENU_TOGGLE},
    {ID_VIEW_HEAT_COLOURS, "View/Texels per Pixel Colours", 'h', FL_MENU_TOGGLE},
    {ID_VIEW_READOUT, "View/Texels per Pixel Readout", 'r', FL_MENU_TOGGLE | FL_MENU_DIVIDER},
    {ID_VIEW_LISPSM, "View/LiSPSM", 'l', FL_MENU_TOGGLE},
    {ID_VIEW_CSM, "View/CSM", 'c', FL_MENU_TOGGLE},
    {ID_VIEW_CSM_STABLE, "View/CSM stable", 's', FL_MENU_TOGGLE | FL_MENU_DIVIDER},
    {ID_VIEW_PLACEMENT, "View/Eye and Light Position", 'e', FL_MENU_TOGGLE},
    {ID_VIEW_START_UP, "View/Start-up View", FL_Home, 0},
    {ID_VIEW_PAUSE_FIGURES, "View/Pause Figures", ' ', FL_MENU_TOGGLE | FL_MENU_DIVIDER},
    {ID_VIEW_SAVE_VIEW, "View/Save View...", 0, 0},
    {ID_VIEW_OPEN_VIEW, "View/Open View...", 0, 0},
};

void* AsUserData(unsigned id) {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(id));
}

}  // namespace

OptionsMenu::OptionsMenu(int x, int y, int w, int h, Handlers handlers)
    : Fl_Menu_Bar(x, y, w, h), m_handlers(std::move(handlers)) {
    add("&File/E&xit", 0, OnExit, this);
    for (const OptionsItem& item : OPTIONS_ITEMS) {
        add(item.path, 0, OnCommand, AsUserData(item.id), FL_MENU_RADIO);
        m_marks[item.id] = item.checked;
    }
    for (const ViewItem& item : VIEW_ITEMS) {
        add(item.path, item.key, OnCommand, AsUserData(item.id), item.flags);
        if (item.flags & FL_MENU_TOGGLE)
            m_marks[item.id] = false;
    }
    add("&Help/&Keys and Mouse", FL_F + 1, OnCommand, AsUserData(ID_HELP_KEYS_AND_MOUSE));
    add("&Help/&About KVX_Demo...", 0, OnAbout, this);
    RestoreMarks();
}

void OptionsMenu::Check(unsigned commandId, bool checked) {
    const int index = ItemIndex(commandId);
    if (index < 0)
        return;
    m_marks[commandId] = checked;
    const int flags = mode(index);
    mode(index, checked ? flags | FL_MENU_VALUE : flags & ~FL_MENU_VALUE);
}

bool OptionsMenu::IsChecked(unsigned commandId) {
    const int index = ItemIndex(commandId);
    return index >= 0 && (mode(index) & FL_MENU_VALUE) != 0;
}

int OptionsMenu::ItemIndex(unsigned commandId) {
    for (const OptionsItem& item : OPTIONS_ITEMS) {
        if (item.id == commandId)
            return find_index(item.path);
    }
    for (const ViewItem& item : VIEW_ITEMS) {
        if (item.id == commandId)
            return find_index(item.path);
    }
    return -1;
}

void OptionsMenu::RestoreMarks() {
    for (const auto& [id, checked] : m_marks)
        Check(id, checked);
}

void OptionsMenu::OnCommand(Fl_Widget* widget, void* commandId) {
    OptionsMenu* menu = static_cast<OptionsMenu*>(widget);
    menu->RestoreMarks();
    menu->m_handlers.command(static_cast<unsigned>(reinterpret_cast<uintptr_t>(commandId)));
}

void OptionsMenu::OnExit(Fl_Widget*, void* menu) {
    static_cast<OptionsMenu*>(menu)->m_handlers.exit();
}

void OptionsMenu::OnAbout(Fl_Widget*, void* menu) {
    static_cast<OptionsMenu*>(menu)->m_handlers.about();
}
