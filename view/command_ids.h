#pragma once

// Command ids of the Options menu.
enum CommandId : unsigned {
    ID_SHADOW_KVX = 32772,
    ID_SHADOW_KVX_HIGH_QUALITY = 32773,
    ID_SHADOW_SSM = 32774,
    ID_NAVIGATION_EYE = 32776,
    ID_NAVIGATION_LIGHT = 32777,
    ID_SOUND_ON = 32779,
    ID_SOUND_OFF = 32780,
};
