// Tests only: loaded by main.js when the address has ?test, never for a player. window.blokkoTest plays
// a script of the trace driver's commands on the page, its random draws queued by the script and the
// game's clock stopped, so that only the script's ticks run; the parity test compares the result with the
// desktop program's.

import { ItemKind as Kind } from './frame_codes.js';

// The virtual-key codes a script may send, as the keyboard would report them.
const Keys = {
    13: ['Enter', 'Enter'], 32: [' ', 'Space'], 37: ['ArrowLeft', 'ArrowLeft'], 38: ['ArrowUp', 'ArrowUp'],
    39: ['ArrowRight', 'ArrowRight'], 40: ['ArrowDown', 'ArrowDown'],
};
function keyOf(code) {
    if (code >= 65 && code <= 90)
        return [String.fromCharCode(code + 32), `Key${String.fromCharCode(code)}`];
    return Keys[code];
}

// A button is found by its caption, whatever lines it is broken into.
const ButtonCaptions = { GO: 'GO!', Pause: 'Pause', GameOver: 'GameOver' };

export function install(page) {
    const [form2, game] = page.windows;
    const sync = () => page.link.request('sync');
    const allTicks = (answer) => answer.ticks[1] + answer.ticks[2] + answer.ticks[3];

    const shownButton = (w, name) => [...w.controls.values()].find((c) => c.el.localName === 'button' &&
        !c.el.hidden && c.el.textContent.replace(/\s+/g, '') === ButtonCaptions[name]);

    let ticked = 0; // the ticks the script asked for, and those the clock ran before the test's program
    const commands = {
        rand: (...values) => page.link.send({ type: 'rand', values }),
        scroll: (value) => [...form2.controls.values()].find((c) => c.set).set(Number(value)),
        click: (name) => {
            const w = name === 'GO' ? form2 : game;
            const button = w.el.hidden ? null : shownButton(w, name);
            if (button)
                button.el.click();
        },
        key: (code) => {
            const key = keyOf(Number(code));
            if (!key)
                throw new Error(`no key for the code ${code}`);
            if (!game.el.hidden)
                game.client.dispatchEvent(new KeyboardEvent('keydown',
                    { key: key[0], code: key[1], bubbles: true, cancelable: true }));
        },
        tick: (timer) => {
            ++ticked;
            page.link.send({ type: 'tick', timer: Number(timer.replace('Timer', '')) });
        },
    };

    window.blokkoTest = {
        // A fresh program with an empty queue of draws; the clock stands still.
        async start() {
            page.start(true);
            ticked = allTicks(await sync());
        },
        // Plays [command, ...arguments] in order, the game drawing a frame after each and the page
        // following it, as it would; resolves to null, or what went wrong and where.
        async play(script) {
            for (const [n, [name, ...args]] of script.entries()) {
                try {
                    commands[name](...args);
                } catch (error) {
                    return `command ${n + 1} (${name} ${args.join(' ')}): ${error.message || error}`;
                }
                await sync();
            }
            return null;
        },
        // The ticks the game's own clock delivered (none, while it stands still).
        clockTicks: async () => allTicks(await sync()) - ticked,
        // Each window: whether it is shown, its client area in CSS pixels, the texts it shows and the
        // captions of its shown buttons that do not fit them.
        async windows() {
            await sync();
            return [form2, game].map((w) => ({
                shown: !w.el.hidden,
                // The scene's texts as this window has them: each shown label's, then each shown button's
                // caption (its accessible name, whatever lines it is broken into).
                texts: w.items
                    .filter((item) => item.kind === Kind.Label && item.visible && item.text.trim())
                    .map((item) => `label ${item.text}`)
                    .concat([...w.controls.values()].filter((c) => c.el.localName === 'button' && !c.el.hidden)
                        .map((c) => `button ${c.el.getAttribute('aria-label') ?? c.el.textContent}`)),
                client: (({ x, y, width, height }) => ({ x, y, width, height }))(w.client.getBoundingClientRect()),
                clipped: [...w.controls.values()]
                    .filter((c) => c.el.localName === 'button' && !c.el.hidden &&
                        (c.el.scrollWidth > c.el.clientWidth || c.el.scrollHeight > c.el.clientHeight))
                    .map((c) => `"${c.el.textContent}" needs ${c.el.scrollWidth}x${c.el.scrollHeight} px, ` +
                        `has ${c.el.clientWidth}x${c.el.clientHeight}`),
            }));
        },
    };
}
