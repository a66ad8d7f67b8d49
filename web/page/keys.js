// Keys to the program. The page turns no key into anything itself: the program takes what the browser
// reports (KeyboardEvent.key and .code) and decides what the key means in that window.

// Hands a keydown in window `window` (0 the difficulty window, 1 the game window) to the engine; the
// browser is kept from acting on a key only when it means something there, so Tab, the scroll bar's
// arrows and browser shortcuts (Ctrl, Alt or Meta held) keep working. Returns whether it did.
export function forwardKey(call, window, e) {
    const commandHeld = e.ctrlKey || e.altKey || e.metaKey;
    const meant = call.key(window, e.key ?? '', e.code ?? '', e.repeat ? 1 : 0, commandHeld ? 1 : 0) !== 0;
    if (meant)
        e.preventDefault();
    return meant;
}
