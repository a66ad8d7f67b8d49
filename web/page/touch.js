// The on-screen controls: a real button for each key of the game, for a device without a keyboard.
// They are shown where the main pointer is coarse, or once the page has been touched, and send the
// keys they stand for through the page's one path for keys, to the game window. Each finger is
// followed on its own (by its pointer id), so several controls can be held at once.
import { Repeater } from './repeat.js';

// Two groups: the moves under one thumb, the turns and pause under the other.
const Groups = [
    { label: 'Move', keys: [
        { code: 'ArrowLeft', key: 'ArrowLeft', name: 'Shift left', path: 'M15 5 6 12l9 7z' },
        { code: 'ArrowDown', key: 'ArrowDown', name: 'Hurry', path: 'M5 8l7 9 7-9z' },
        { code: 'ArrowRight', key: 'ArrowRight', name: 'Shift right', path: 'M9 5l9 7-9 7z' },
    ] },
    { label: 'Turn and pause', keys: [
        { code: 'KeyS', key: 's', name: 'Turn counter-clockwise', path: 'M7 9a7 7 0 1 1-1 6h2.2A5 5 0 1 0 9 10.6L11 13H4V6l3 3z' },
        { code: 'KeyA', key: 'a', name: 'Turn clockwise', path: 'M17 9a7 7 0 1 0 1 6h-2.2A5 5 0 1 1 15 10.6L13 13h7V6l-3 3z' },
        // Pausing twice means nothing more: pause does not repeat.
        { code: 'KeyP', key: 'p', name: 'Pause', path: 'M7 5h3.5v14H7zm6.5 0H17v14h-3.5z', once: true },
    ] },
];

export class TouchControls {
    constructor(page, parent) {
        this.page = page;
        this.touched = false;
        this.coarse = matchMedia('(pointer: coarse)');
        this.groups = Groups.map((group) => {
            const el = document.createElement('div');
            el.className = 'pad';
            el.setAttribute('role', 'group');
            el.setAttribute('aria-label', group.label);
            for (const control of group.keys)
                el.append(this.button(control));
            parent.append(el);
            return el;
        });
        this.coarse.addEventListener('change', () => this.update());
        addEventListener('pointerdown', (e) => {
            if (e.pointerType === 'touch' && !this.touched) {
                this.touched = true;
                this.update();
            }
        }, true);
        // A page that goes out of sight gets no pointerup: nothing stays held.
        document.addEventListener('visibilitychange', () => this.releaseAll());
        addEventListener('blur', () => this.releaseAll());
        for (const group of this.groups)
            group.hidden = true; // until the page lays them out
    }

    get shown() {
        return this.coarse.matches || this.touched;
    }

    button(control) {
        const b = document.createElement('button');
        b.type = 'button';
        b.className = 'touch-key';
        b.dataset.key = control.code;
        b.setAttribute('aria-label', control.name);
        // The game keeps the keyboard's focus: a tap here must not take it.
        b.tabIndex = -1;
        b.innerHTML = `<svg viewBox="0 0 24 24" aria-hidden="true"><path d="${control.path}"/></svg>`;
        const press = (repeat) => this.page.pressKey({ key: control.key, code: control.code, repeat }, this.page.game);
        const repeater = new Repeater(press);
        const fingers = new Set();
        b.addEventListener('pointerdown', (e) => {
            if (e.button !== 0)
                return;
            e.preventDefault();
            b.setPointerCapture(e.pointerId);
            fingers.add(e.pointerId);
            if (fingers.size > 1)
                return;
            b.classList.add('pressed');
            if (control.once)
                press(false);
            else
                repeater.start();
        });
        const letGo = () => {
            b.classList.remove('pressed');
            repeater.stop();
        };
        const release = (e) => {
            if (fingers.delete(e.pointerId) && fingers.size === 0)
                letGo();
        };
        for (const type of ['pointerup', 'pointercancel', 'lostpointercapture'])
            b.addEventListener(type, release);
        b.release = () => {
            fingers.clear();
            letGo();
        };
        // Pressed without a pointer (a screen reader, a switch): once.
        b.addEventListener('click', (e) => {
            if (e.detail === 0)
                press(false);
        });
        b.addEventListener('contextmenu', (e) => e.preventDefault());
        return b;
    }

    releaseAll() {
        for (const group of this.groups)
            for (const b of group.children)
                b.release();
    }

    update() {
        if (!this.shown)
            this.place(null);
        this.page.layout();
    }

    // The size of one group standing in a row (measured: the style sheet sizes the buttons).
    groupSize() {
        const el = this.groups[0];
        const hidden = el.hidden;
        el.hidden = false;
        const column = el.classList.contains('column');
        const size = column ? { long: el.offsetHeight, short: el.offsetWidth } : { long: el.offsetWidth, short: el.offsetHeight };
        el.hidden = hidden;
        return size;
    }

    // Each group at its place, as a row or a column; none while there is no place for them.
    place(places) {
        this.groups.forEach((el, i) => {
            const at = this.shown && places && places[i];
            if (el.hidden !== !at) {
                el.hidden = !at;
                if (!at)
                    el.querySelectorAll('button').forEach((b) => b.release());
            }
            el.classList.toggle('column', !!(at && at.column));
            if (at) {
                el.style.left = `${Math.round(at.x)}px`;
                el.style.top = `${Math.round(at.y)}px`;
            }
        });
    }
}
