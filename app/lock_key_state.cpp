#include "lock_key_state.h"

#include <QGuiApplication>

#if CINERAD_HAVE_X11
#include <X11/XKBlib.h>
#endif

LockKeyState QueryLockKeyState() {
    LockKeyState state;
#if CINERAD_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->display() == nullptr) {
        return state;
    }
    unsigned int indicators = 0;
    if (XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &indicators) != Success) {
        return state;
    }
    // The core keyboard's indicators in their usual order: Caps Lock, Num Lock, Scroll Lock.
    state.caps = (indicators & 0x1u) != 0;
    state.num = (indicators & 0x2u) != 0;
    state.scroll = (indicators & 0x4u) != 0;
    state.known = true;
#endif
    return state;
}
