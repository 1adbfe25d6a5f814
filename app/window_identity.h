#pragma once

// Gives every window the program opens from now on the class name "kvx-demo" (WM_CLASS, which
// desktop entries and window managers match) and the logo as its icon (_NET_WM_ICON).
void SetWindowIdentity();
