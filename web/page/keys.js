// Keys by the physical key (KeyboardEvent.code) as the desktop's virtual-key codes.

// The virtual-key code of the physical key, whatever the keyboard layout.
const NamedKeys = {
    Backspace: 8, Tab: 9, Enter: 13, NumpadEnter: 13, ShiftLeft: 16, ShiftRight: 16, ControlLeft: 17,
    ControlRight: 17, AltLeft: 18, AltRight: 18, Pause: 19, CapsLock: 20, Escape: 27, Space: 32, PageUp: 33,
    PageDown: 34, End: 35, Home: 36, ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Insert: 45,
    Delete: 46,
};
export function virtualKey(code) {
    let m = /^Key([A-Z])$/.exec(code);
    if (m)
        return m[1].charCodeAt(0);
    m = /^Digit([0-9])$/.exec(code);
    if (m)
        return 48 + Number(m[1]);
    m = /^F([0-9]+)$/.exec(code);
    if (m && Number(m[1]) >= 1 && Number(m[1]) <= 24)
        return 111 + Number(m[1]);
    return NamedKeys[code] || 0;
}
