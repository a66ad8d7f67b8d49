// What a screen reader hears of the game window while the player's focus stays on it: the texts that
// changed (score, rows, level, pieces) and the buttons that came up (Pause, Game Over), through a polite
// live region. Play changes the counters many times a second at times; they are read at most once a
// second, the latest of them, so that the reader is never behind the game.
import { ItemKind as Kind } from './frame_codes.js';

const MinGap = 1000; // ms between two announcements

export class Announcer {
    constructor(region) {
        this.region = region;
        this.load = null;
        this.heard = new Map(); // what was last announced (or stood there when the game window loaded)
        this.now = new Map();
        this.last = -Infinity;
        this.timer = null;
    }

    // The game window after a frame that changed a label or a button.
    follow(win) {
        this.now = shownTexts(win.items);
        // A new load's texts are where the game starts, not news.
        if (win.generation !== this.load) {
            this.load = win.generation;
            this.heard = this.now;
            return;
        }
        if (this.timer === null)
            this.timer = setTimeout(() => this.announce(), Math.max(0, this.last + MinGap - performance.now()));
    }

    stop() {
        clearTimeout(this.timer);
        this.timer = null;
        this.load = null;
    }

    announce() {
        this.timer = null;
        const news = [...this.now].filter(([key, text]) => this.heard.get(key) !== text).map(([, text]) => text);
        this.heard = this.now;
        if (news.length === 0)
            return;
        this.region.textContent = news.join(', ');
        this.last = performance.now();
    }
}

// The shown labels' and buttons' texts, by item.
function shownTexts(items) {
    const texts = new Map();
    for (const item of items)
        if ((item.kind === Kind.Label || item.kind === Kind.Button) && item.visible && item.text.trim())
            texts.set(item.id, item.text.replace(/ +/g, ' ').trim());
    return texts;
}
