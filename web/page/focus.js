// Where the keys go: to the active window, whatever the player clicks or taps on the page. Only a
// control that takes the focus on purpose (a link, the help's button, a window's own controls) takes
// them from it, and Tab brings them back.

// What takes the focus when pressed. Buttons that forward keys to the game (on-screen controls, with
// `data-key`) and the buttons kept out of the Tab order (title bars' close buttons, the game window's
// buttons) leave it where it is.
const TakesFocus = 'a[href], input, select, textarea, button:not([tabindex="-1"]):not([data-key]), ' +
    '[tabindex]:not([tabindex="-1"])';

// `giveKeys` puts the focus back on the active window (or on whatever the page shows instead of it).
export function keepKeysOnPage(giveKeys) {
    // A press on the page's background, a title bar, a window's empty area or a text would move the
    // focus to the page's body, where no key acts: it is kept from doing so.
    document.addEventListener('mousedown', (e) => {
        if (e.target instanceof Element && e.target.closest(TakesFocus))
            return;
        const t = e.target;
        if ((t === document.body || t === document.documentElement) &&
            (e.offsetX >= t.clientWidth || e.offsetY >= t.clientHeight))
            return; // the page's own scroll bars
        e.preventDefault();
        giveKeys();
    });
    // Some browsers focus no button on a click (Safari): the focus would be left on the body.
    document.addEventListener('click', () => {
        const at = document.activeElement;
        if (!at || at === document.body)
            giveKeys();
    });
    // The focused element was hidden or removed (a button that hid itself, a window the program hid):
    // the browser leaves the focus nowhere. The keys go back to the active window. Tab past the last
    // control leaves the page for the browser's own controls, as anywhere else.
    document.addEventListener('focusout', (e) => {
        if (e.relatedTarget || (e.target.isConnected && e.target.getClientRects().length > 0))
            return;
        setTimeout(() => {
            const at = document.activeElement;
            if (document.hasFocus() && (!at || at === document.body))
                giveKeys();
        });
    });
}
