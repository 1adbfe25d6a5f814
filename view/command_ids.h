#pragma once

// Command ids of the Options menu, then of the View menu.
enum CommandId : unsigned {
    ID_SHADOW_KVX = 32772,
    ID_SHADOW_KVX_HIGH_QUALITY = 32773,
    ID_SHADOW_SSM = 32774,
    ID_NAVIGATION_EYE = 32776,
    ID_NAVIGATION_LIGHT = 32777,
    ID_SOUND_ON = 32779,
    ID_SOUND_OFF = 32780,
    ID_VIEW_LISPSM = 32790,
    ID_VIEW_CSM = 32791,
    ID_VIEW_MAP_INSET = 32792,
    ID_VIEW_HEAT_COLOURS = 32793,
    ID_VIEW_READOUT = 32794,
    ID_VIEW_CSM_STABLE = 32795,
};
