// Keys to the program. The page turns no key into anything itself: the program takes what the browser
// reports (KeyboardEvent.key and .code) and decides what the key means in that window.

// A keydown in window `window` (0 the difficulty window, 1 the game window). When the program takes it
// there (`keys.takes(window, report)`: link.js), the browser is kept from acting on it and it is sent on
// (`send(window, report)`); every other key (Tab, the scroll bar's arrows, browser shortcuts with Ctrl,
// Alt or Meta held) is left to the browser. Returns whether it was sent.
export function forwardKey(keys, window, e, send) {
    const report = keyReport({ key: e.key, code: e.code, repeat: e.repeat, commandHeld: e.ctrlKey || e.altKey || e.metaKey });
    if (!keys.takes(window, report))
        return false;
    e.preventDefault();
    send(window, report);
    return true;
}

// A key as the keyboard would report it, from whatever sent it (the keyboard, an on-screen control, a
// gamepad).
export function keyReport({ key = '', code = '', repeat = false, commandHeld = false }) {
    return { key: key ?? '', code: code ?? '', repeat: !!repeat, commandHeld: !!commandHeld };
}
