// A held on-screen control or gamepad button repeats as a held key does: once at once, then after a
// first delay at a steady rate, each repeat marked as one (the README states the numbers).
export const RepeatDelay = 250; // ms
export const RepeatInterval = 50; // ms

export class Repeater {
    constructor(press) {
        this.press = press; // press(repeat)
        this.timer = null;
    }

    get held() {
        return this.timer !== null;
    }

    start() {
        this.stop();
        this.press(false);
        this.timer = setTimeout(() => {
            this.timer = setInterval(() => this.press(true), RepeatInterval);
            this.press(true);
        }, RepeatDelay);
    }

    stop() {
        // Either kind of handle: clearTimeout and clearInterval share one pool of ids.
        if (this.timer !== null)
            clearTimeout(this.timer);
        this.timer = null;
    }
}
