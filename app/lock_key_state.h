// The state of the keyboard's lock keys, for the status bar's CAP, NUM and SCRL panes.
#pragma once

struct LockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
    bool known = false; // false where the window system does not tell (offscreen, Wayland)
};

LockKeyState QueryLockKeyState();
