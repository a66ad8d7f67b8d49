// The real controls of a window: push buttons and the scroll bar.
import { cssFont } from './draw.js';
import { setStyle } from './style.js';

// A push button of the scene as a real <button>: its caption is its accessible name, and it shows the
// scene's lines of it, each where the scene places it.
export class PageButton {
    constructor(page, owner, item) {
        this.el = document.createElement('button');
        this.el.type = 'button';
        this.el.className = 'control';
        this.id = item.id;
        // The game window's keys belong to the game: its buttons take no focus.
        if (owner.name !== 'Form2') {
            this.el.tabIndex = -1;
            this.el.addEventListener('mousedown', (e) => e.preventDefault());
        }
        this.el.addEventListener('click', () => page.click(owner.index, this.id));
    }

    // Each line a box of its own whose baseline lies at the scene's: the box starts the font's ascent above
    // it and is exactly as high as the font, so no leading moves the text.
    showLines(item) {
        const key = JSON.stringify([item.lines, item.ascent, item.descent]);
        if (this.lines === key)
            return;
        this.lines = key;
        this.el.setAttribute('aria-label', item.text);
        this.el.replaceChildren(...item.lines.map((line) => {
            const span = document.createElement('span');
            span.className = 'line';
            span.setAttribute('aria-hidden', 'true');
            span.textContent = line.text;
            span.style.left = `${line.left}px`;
            span.style.top = `${line.baseline - item.ascent}px`;
            span.style.lineHeight = `${item.ascent + item.descent}px`;
            return span;
        }));
    }

    update(item) {
        // Where the scene places the control, in CSS pixels.
        const r = item.box;
        setStyle(this.el, 'left', `${r.x}px`);
        setStyle(this.el, 'top', `${r.y}px`);
        setStyle(this.el, 'width', `${r.w}px`);
        setStyle(this.el, 'height', `${r.h}px`);
        setStyle(this.el, 'font', cssFont(item.italic, item.weight, item.pixels, item.family, item.fallback));
        this.showLines(item);
        if (this.el.hidden !== !item.visible)
            this.el.hidden = !item.visible;
        if (this.el.disabled !== !item.enabled)
            this.el.disabled = !item.enabled;
    }
}

// The horizontal scroll bar: an arrow button at each end, a track and a square thumb. A click on an
// arrow steps by the scene's small change, a click on the track by its large change; the thumb can be
// dragged; Left and Right step by the small change when it has the focus.
export class PageScrollBar {
    constructor(page, owner, item) {
        this.page = page;
        this.owner = owner;
        this.el = document.createElement('div');
        this.el.className = 'scrollbar';
        this.el.tabIndex = 0;
        this.el.setAttribute('role', 'scrollbar');
        this.el.setAttribute('aria-orientation', 'horizontal');
        this.el.setAttribute('aria-label', 'Difficulty');
        const arrow = (direction, path) => {
            const a = document.createElement('div');
            a.className = `arrow ${direction}`;
            a.setAttribute('aria-hidden', 'true');
            a.innerHTML = `<svg viewBox="0 0 4 7"><path d="${path}"/></svg>`;
            return a;
        };
        this.left = arrow('left', 'M4 0v7L0 3.5z');
        this.right = arrow('right', 'M0 0v7l4-3.5z');
        this.track = document.createElement('div');
        this.track.className = 'track';
        this.thumb = document.createElement('div');
        this.thumb.className = 'thumb';
        this.track.append(this.thumb);
        this.el.append(this.left, this.track, this.right);
        this.value = item.value;
        this.min = item.min;
        this.max = item.max;
        this.small = item.smallChange;
        this.large = item.largeChange;
        this.bindPointer();
        this.el.addEventListener('keydown', (e) => {
            const step = {
                ArrowLeft: -this.small, ArrowRight: this.small, Home: this.min - this.value, End: this.max - this.value,
            }[e.key];
            if (step !== undefined) {
                e.preventDefault();
                e.stopPropagation();
                this.set(this.value + step);
            }
        });
    }

    // The bar takes the new value at once, as a desktop scroll bar does, and tells the program: a second
    // key or click before the next frame steps on from it rather than from the value last drawn.
    set(value) {
        const v = Math.min(this.max, Math.max(this.min, value));
        if (v !== this.value) {
            this.value = v;
            this.page.scroll(v);
        }
    }

    bindPointer() {
        const press = (element, step) => element.addEventListener('pointerdown', (e) => {
            if (e.button !== 0)
                return;
            e.preventDefault();
            this.el.focus();
            element.classList.add('pressed');
            this.set(this.value + step());
        });
        press(this.left, () => -this.small);
        press(this.right, () => this.small);
        for (const a of [this.left, this.right])
            for (const type of ['pointerup', 'pointerleave', 'pointercancel'])
                a.addEventListener(type, () => a.classList.remove('pressed'));
        this.track.addEventListener('pointerdown', (e) => {
            if (e.button !== 0 || e.target === this.thumb)
                return;
            e.preventDefault();
            this.el.focus();
            const thumb = this.thumb.getBoundingClientRect();
            this.set(this.value + (e.clientX < thumb.left ? -this.large : this.large));
        });
        let drag = null;
        this.thumb.addEventListener('pointerdown', (e) => {
            if (e.button !== 0)
                return;
            e.preventDefault();
            this.el.focus();
            drag = { x: e.clientX, left: this.thumb.offsetLeft };
            this.thumb.setPointerCapture(e.pointerId);
        });
        this.thumb.addEventListener('pointermove', (e) => {
            if (!drag)
                return;
            const room = this.track.clientWidth - this.thumb.offsetWidth;
            // The pointer moves in the page's pixels, the thumb in the window's (scaled) ones.
            const at = Math.min(room, Math.max(0, drag.left + (e.clientX - drag.x) / this.owner.scale));
            this.set(this.min + Math.round((at / Math.max(room, 1)) * (this.max - this.min)));
        });
        const stop = () => { drag = null; };
        this.thumb.addEventListener('pointerup', stop);
        this.thumb.addEventListener('pointercancel', stop);
    }

    update(item) {
        const { x, y, w, h } = item.box;
        for (const [name, value] of [['left', x], ['top', y], ['width', w], ['height', h]])
            setStyle(this.el, name, `${value}px`);
        // The thumb's share of the track is one step's share of the range, as the desktop's.
        const track = Math.max(0, w - 2 * h);
        const thumb = Math.max(h / 2, Math.round(track / (item.max - item.min + 1)));
        setStyle(this.left, 'width', `${h}px`);
        setStyle(this.right, 'width', `${h}px`);
        setStyle(this.thumb, 'width', `${thumb}px`);
        this.value = item.value;
        this.min = item.min;
        this.max = item.max;
        this.small = item.smallChange;
        this.large = item.largeChange;
        this.el.setAttribute('aria-valuemin', String(item.min));
        this.el.setAttribute('aria-valuemax', String(item.max));
        this.el.setAttribute('aria-valuenow', String(item.value));
        if (item.text)
            this.el.setAttribute('aria-valuetext', item.text);
        const room = Math.max(0, track - thumb);
        const span = Math.max(1, item.max - item.min);
        setStyle(this.thumb, 'left', `${Math.round((room * (item.value - item.min)) / span)}px`);
        if (this.el.hidden !== !item.visible)
            this.el.hidden = !item.visible;
    }
}
