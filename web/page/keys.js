// Keys to the program. The page turns no key into anything itself: the program takes what the browser
// reports (KeyboardEvent.key and .code) and decides what the key means in that window.

// Hands a keydown in window `window` (0 the difficulty window, 1 the game window) to the engine; the
// browser is kept from acting on a key only when it means something there, so Tab, the scroll bar's
// arrows and browser shortcuts (Ctrl, Alt or Meta held) keep working. Returns whether it did.
export function forwardKey(call, window, e) {
    const commandHeld = e.ctrlKey || e.altKey || e.metaKey;
    const meant = sendKey(call, window, { key: e.key, code: e.code, repeat: e.repeat, commandHeld });
    if (meant)
        e.preventDefault();
    return meant;
}

// A key as the keyboard would report it, from whatever sent it (the keyboard, an on-screen control, a
// gamepad). Returns whether it meant anything in that window.
export function sendKey(call, window, { key = '', code = '', repeat = false, commandHeld = false }) {
    return call.key(window, key ?? '', code ?? '', repeat ? 1 : 0, commandHeld ? 1 : 0) !== 0;
}
