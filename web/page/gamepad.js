// A gamepad with the standard mapping, read on animation frames while one is connected (the Gamepad API
// has no events for buttons). Each press of a button, by its index in the standard mapping, and each
// repeat of a held D-pad button, goes to the program for the window in front, which decides what it
// means there (a key, a step of the choice, a button pressed, or nothing).
import { Repeater } from './repeat.js';

// The standard mapping's D-pad down, left and right: held, they repeat as a held key does.
const Held = [13, 14, 15];

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
            for (let button = 0; button < pressed.length; ++button) {
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
        const press = (repeat) => this.page.pressPad(button, repeat);
        if (!Held.includes(button)) {
            press(false);
            return;
        }
        if (!pad.repeaters.has(button))
            pad.repeaters.set(button, new Repeater(press));
        pad.repeaters.get(button).start();
    }
}
