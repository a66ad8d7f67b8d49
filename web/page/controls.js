// The real controls of a window: push buttons and the scroll bar.
import { TwipsPerPixel } from './engine.js';
import { cssFont, setStyle } from './draw.js';

// A push button of the scene as a real <button>, its caption its text.
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

    update(item) {
        const r = { x: Math.round(item.left / TwipsPerPixel), y: Math.round(item.top / TwipsPerPixel) };
        setStyle(this.el, 'left', `${r.x}px`);
        setStyle(this.el, 'top', `${r.y}px`);
        setStyle(this.el, 'width', `${Math.round((item.left + item.width) / TwipsPerPixel) - r.x}px`);
        setStyle(this.el, 'height', `${Math.round((item.top + item.height) / TwipsPerPixel) - r.y}px`);
        setStyle(this.el, 'font', cssFont(item, 1));
        if (this.el.textContent !== item.text)
            this.el.textContent = item.text;
        if (this.el.hidden !== !item.visible)
            this.el.hidden = !item.visible;
        if (this.el.disabled !== !item.enabled)
            this.el.disabled = !item.enabled;
    }
}

// The horizontal scroll bar: an arrow button at each end, a track and a square thumb. A click on an
// arrow or on the track steps 1; the thumb can be dragged; Left and Right step when it has the focus.
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
        this.bindPointer();
        this.el.addEventListener('keydown', (e) => {
            const step = { ArrowLeft: -1, ArrowRight: 1, Home: this.min - this.value, End: this.max - this.value }[e.key];
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
            this.set(this.value + step);
        });
        press(this.left, -1);
        press(this.right, 1);
        for (const a of [this.left, this.right])
            for (const type of ['pointerup', 'pointerleave', 'pointercancel'])
                a.addEventListener(type, () => a.classList.remove('pressed'));
        this.track.addEventListener('pointerdown', (e) => {
            if (e.button !== 0 || e.target === this.thumb)
                return;
            e.preventDefault();
            this.el.focus();
            const thumb = this.thumb.getBoundingClientRect();
            this.set(this.value + (e.clientX < thumb.left ? -1 : 1));
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
        const x = Math.round(item.left / TwipsPerPixel), y = Math.round(item.top / TwipsPerPixel);
        const w = Math.round((item.left + item.width) / TwipsPerPixel) - x;
        const h = Math.round((item.top + item.height) / TwipsPerPixel) - y;
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
