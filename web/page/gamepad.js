// A gamepad with the standard mapping, read on animation frames while one is connected (the Gamepad API
// has no events for buttons). Its buttons become the keys they stand for and go through the page's one
// path for keys, to the window in front, as the keyboard's do: the D-pad's left and right choose in the
// difficulty window and shift in the game window, down hurries, the bottom face button turns clockwise
// (or presses "GO!"), the right one counter-clockwise, and Start presses the button in front, as Enter
// does, or pauses when no button is shown. A held D-pad repeats as a held key does.
import { Repeater } from './repeat.js';

// Standard mapping button indices.
const Button = { A: 0, B: 1, Start: 9, Down: 13, Left: 14, Right: 15 };
const Held = [Button.Left, Button.Right, Button.Down]; // these repeat
const Keys = {
    Enter: { key: 'Enter', code: 'Enter' },
    [Button.Left]: { key: 'ArrowLeft', code: 'ArrowLeft' },
    [Button.Right]: { key: 'ArrowRight', code: 'ArrowRight' },
    [Button.Down]: { key: 'ArrowDown', code: 'ArrowDown' },
    [Button.A]: { key: 'a', code: 'KeyA' },
    [Button.B]: { key: 's', code: 'KeyS' },
    P: { key: 'p', code: 'KeyP' },
};

export class GamepadInput {
    constructor(page) {
        this.page = page;
        this.pads = new Map(); // gamepad index -> { pressed: booleans of the last poll, repeaters }
        this.polling = false;
        addEventListener('gamepadconnected', (e) => {
            this.pads.set(e.gamepad.index, { pressed: [], repeaters: new Map() });
            if (!this.polling) {
                this.polling = true;
                requestAnimationFrame(() => this.poll());
            }
        });
        addEventListener('gamepaddisconnected', (e) => this.forget(e.gamepad.index));
    }

    forget(index) {
        const pad = this.pads.get(index);
        if (pad)
            for (const r of pad.repeaters.values())
                r.stop();
        this.pads.delete(index);
    }

    poll() {
        if (this.pads.size === 0) {
            this.polling = false;
            return;
        }
        const connected = navigator.getGamepads ? navigator.getGamepads() : [];
        for (const [index, pad] of this.pads) {
            const gamepad = connected[index];
            if (!gamepad || !gamepad.connected) {
                this.forget(index);
                continue;
            }
            if (gamepad.mapping !== 'standard')
                continue;
            const pressed = gamepad.buttons.map((b) => !!(b && b.pressed));
            for (const button of [Button.A, Button.B, Button.Start, Button.Down, Button.Left, Button.Right]) {
                if (pressed[button] && !pad.pressed[button])
                    this.down(pad, button);
                else if (!pressed[button] && pad.pressed[button] && pad.repeaters.has(button))
                    pad.repeaters.get(button).stop();
            }
            pad.pressed = pressed;
        }
        requestAnimationFrame(() => this.poll());
    }

    down(pad, button) {
        const page = this.page;
        const target = page.active;
        if (!target)
            return;
        let key = Keys[button];
        if (button === Button.Start || (button === Button.A && target !== page.game))
            key = Keys.Enter;
        if (button === Button.Start && !page.hasButtonInFront(target))
            key = Keys.P;
        // Each press, and each repeat of a held one, goes to the window in front at that moment, as a
        // held key's would; in the difficulty window the D-pad steps the choice as the scroll bar's
        // arrow keys do.
        const press = (repeat) => {
            const w = page.active;
            const step = { ArrowLeft: -1, ArrowRight: 1 }[key.code];
            if (w && w !== page.game && step)
                page.stepChoice(step);
            else if (w)
                page.pressKey({ ...key, repeat }, w);
        };
        if (!Held.includes(button)) {
            press(false);
            return;
        }
        if (!pad.repeaters.has(button))
            pad.repeaters.set(button, new Repeater(() => {}));
        const repeater = pad.repeaters.get(button);
        repeater.press = press;
        repeater.start();
    }
}
