// One window on the page: title bar, client area, canvas layers between the real controls.
import { ItemKind as Kind } from './frame_codes.js';
import { intersects } from './draw.js';
import { layerSize, scaledLength } from './layer_size.js';
import { setStyle } from './style.js';
import { PageButton, PageScrollBar } from './controls.js';

export class PageWindow {
    constructor(page, name, index) {
        this.page = page;
        this.name = name;
        this.index = index;
        this.el = document.createElement('section');
        this.el.className = 'window';
        this.el.dataset.window = name;
        this.el.hidden = true;
        this.el.setAttribute('role', 'dialog');
        this.titleBar = document.createElement('div');
        this.titleBar.className = 'titlebar';
        this.captionEl = document.createElement('span');
        this.captionEl.className = 'caption';
        this.captionEl.id = `caption-${name}`;
        this.el.setAttribute('aria-labelledby', this.captionEl.id);
        this.closeButton = document.createElement('button');
        this.closeButton.type = 'button';
        this.closeButton.className = 'close';
        this.closeButton.tabIndex = -1;
        this.closeButton.setAttribute('aria-label', `Close ${name}`);
        this.closeButton.innerHTML =
            '<svg viewBox="0 0 8 7" aria-hidden="true"><path d="M0 0h2l2 2.5L6 0h2L5 3.5 8 7H6L4 4.5 2 7H0l3-3.5z"/></svg>';
        this.closeButton.addEventListener('click', () => page.close(this.index));
        this.titleBar.append(this.captionEl, this.closeButton);
        this.client = document.createElement('div');
        this.client.className = 'client';
        this.el.append(this.titleBar, this.client);
        this.layers = []; // the canvases the game draws on, bottom first
        this.controls = new Map(); // scene item id -> HTML control
        this.texts = []; // the shown labels' texts for screen readers: { el, at: the label's item }
        this.items = []; // the labels and controls of the latest frame that had them
        this.drawnAt = null; // the device pixel ratio the layers were built for
        this.placed = false;
        // The place of the window's outer top left corner on the desk and the scale it is shown at
        // (below 1 where the viewport is too small for it), in CSS pixels of the page.
        this.x = 0;
        this.y = 0;
        this.scale = 1;
        this.el.addEventListener('pointerdown', () => page.activate(this), true);
        this.el.addEventListener('contextmenu', (e) => e.preventDefault());
        this.dragFromTitleBar();
    }

    dragFromTitleBar() {
        let start = null;
        this.titleBar.addEventListener('pointerdown', (e) => {
            if (e.button !== 0 || e.target.closest('.close'))
                return;
            start = { x: e.clientX - this.x, y: e.clientY - this.y };
            this.titleBar.setPointerCapture(e.pointerId);
        });
        this.titleBar.addEventListener('pointermove', (e) => {
            if (start)
                this.moveTo(Math.max(0, e.clientX - start.x), Math.max(0, e.clientY - start.y));
        });
        const stop = () => { start = null; };
        this.titleBar.addEventListener('pointerup', stop);
        this.titleBar.addEventListener('pointercancel', stop);
    }

    // The window's own lengths, its place included, are scaled with it (CSS zoom): the place is set
    // divided by the scale.
    moveTo(x, y) {
        this.x = Math.round(x);
        this.y = Math.round(y);
        this.snapToDevicePixels();
    }

    // Moves the window by a few CSS pixels at most so that its client area, and so every canvas, starts
    // on a whole device pixel: at a ratio of 1.25 only every fourth CSS pixel lies on one, and a canvas
    // off the grid is resampled, smearing the walls and hatches. The window's own place stays in whole
    // CSS pixels, which any browser lays out exactly. Again after a resize or a new ratio, since the desk
    // may have moved under the window.
    snapToDevicePixels() {
        if (this.el.hidden)
            return;
        if (this.scale !== 1) {
            // A window scaled to fit the view: its canvases find the grid themselves (alignLayers).
            this.el.style.left = `${this.x / this.scale}px`;
            this.el.style.top = `${this.y / this.scale}px`;
            this.alignLayers();
            return;
        }
        const ratio = window.devicePixelRatio || 1;
        this.el.style.left = `${this.x}px`;
        this.el.style.top = `${this.y}px`;
        const r = this.client.getBoundingClientRect();
        const x = onDeviceGrid(this.x, r.left + window.scrollX - this.x, ratio);
        const y = onDeviceGrid(this.y, r.top + window.scrollY - this.y, ratio);
        this.el.style.left = `${x}px`;
        this.el.style.top = `${y}px`;
    }

    // A scaled window's frame and place may end between two pixels; its canvases start on the next
    // whole CSS pixel (a whole device pixel at a whole device pixel ratio), so that they are shown pixel
    // for pixel, not resampled. They are drawn a fraction of a pixel to the right and down of the
    // client area's corner, which no one can see.
    alignLayers() {
        if (this.scale === 1 || this.el.hidden || this.layers.length === 0)
            return;
        const client = this.client.getBoundingClientRect();
        const gap = (v) => Math.max(0, Math.ceil(v - 1 / 256) - v);
        const left = `${scaledLength(gap(client.left), this.scale)}px`;
        const top = `${scaledLength(gap(client.top), this.scale)}px`;
        for (const canvas of this.layers) {
            setStyle(canvas, 'left', left);
            setStyle(canvas, 'top', top);
        }
    }

    setScale(scale) {
        if (scale === this.scale)
            return;
        this.scale = scale;
        setStyle(this.el, 'zoom', scale === 1 ? '' : String(scale));
        this.moveTo(this.x, this.y);
    }

    // The window's frame around the client area: borders and the title bar, in CSS pixels.
    chrome() {
        if (!this.frame) {
            const s = getComputedStyle(this.el);
            const px = (name) => parseFloat(s[name]) || 0;
            this.frame = {
                left: px('borderLeftWidth') + px('paddingLeft'), top: px('borderTopWidth') + px('paddingTop'),
                right: px('borderRightWidth') + px('paddingRight'), bottom: px('borderBottomWidth') + px('paddingBottom'),
            };
        }
        return this.frame;
    }

    // The outer box at the designed size (before any scaling), from the program's size of the window.
    outerSize() {
        if (!this.designed)
            return null;
        const c = this.chrome();
        return { width: this.designed.width + c.left + c.right, height: this.designed.height + c.top + c.bottom };
    }

    // The outer box of the window on the desk, in CSS pixels.
    frameSize() {
        return { width: this.el.offsetWidth * this.scale, height: this.el.offsetHeight * this.scale };
    }

    setCaption(caption) {
        this.captionEl.textContent = caption;
    }

    // A frame of the shown window: the layers sized and the controls placed afresh when it is drawn
    // whole, then the labels' texts renewed when the frame has them.
    update(win) {
        if (win.whole) {
            if (this.drawnAt !== null && this.drawnAt !== win.scale)
                this.snapToDevicePixels(); // a new ratio has a grid of its own
            this.drawnAt = win.scale;
            setStyle(this.el, 'width', `${win.cssWidth}px`);
            setStyle(this.el, 'height', `${win.cssHeight}px`);
            const controls = win.items.filter(isControl);
            this.addLayers(1 + controls.length);
            this.sizeLayers(win);
            this.updateControls(controls);
        }
        if (win.items)
            this.updateLabels(win.items);
    }

    // The layers are made once, for as many as the window could need (one more than its controls), and
    // given to the game: one that came with a control could not wait for the game to ask. Those a frame
    // does not use stay clear.
    addLayers(count) {
        const made = [];
        while (this.layers.length < count) {
            const canvas = document.createElement('canvas');
            canvas.setAttribute('aria-hidden', 'true');
            this.client.append(canvas);
            this.layers.push(canvas);
            made.push(canvas);
        }
        if (made.length)
            this.page.link.giveLayers(this.index, made);
    }

    // The layers' boxes for a frame drawn whole (the game sizes their pixels alike).
    sizeLayers(win) {
        const size = layerSize(win, this.scale);
        for (const canvas of this.layers) {
            setStyle(canvas, 'width', `${size.cssWidth}px`);
            setStyle(canvas, 'height', `${size.cssHeight}px`);
            if (this.scale === 1) {
                setStyle(canvas, 'left', '');
                setStyle(canvas, 'top', '');
            }
        }
        this.alignLayers();
    }

    updateControls(controls) {
        const seen = new Set();
        controls.forEach((item) => {
            seen.add(item.id);
            let control = this.controls.get(item.id);
            if (!control) {
                control = item.kind === Kind.Button ? new PageButton(this.page, this, item)
                    : new PageScrollBar(this.page, this, item);
                this.controls.set(item.id, control);
                this.client.append(control.el);
            }
            control.update(item);
            control.at = item;
            // Stacking: canvas layer n has z-index 2n, a control in front of it 2n + 1.
            setStyle(control.el, 'zIndex', String(2 * item.layer + 1));
        });
        this.layers.forEach((canvas, n) => setStyle(canvas, 'zIndex', String(2 * n)));
        for (const [id, control] of this.controls)
            if (!seen.has(id)) {
                control.el.remove();
                this.controls.delete(id);
            }
    }

    // The drawn labels' texts, for assistive technology (and tests): one text each while the label is
    // shown, read with the window's controls in the order the eye reads them (top to bottom, then left
    // to right). A label that other labels drawn over it repeat (the difficulty window's heading, with
    // the choices in its second row) is read without their words, as their heading: each word once.
    updateLabels(items) {
        const labels = items.filter((item) => item.kind === Kind.Label && item.visible && item.text.trim())
            .map((item) => ({ item, text: item.text.replace(/ +/g, ' ').trim(), heading: false }));
        for (const label of labels)
            for (const over of labels) {
                if (over === label || area(over.item) >= area(label.item) ||
                    !intersects(twipsRect(over.item), twipsRect(label.item)))
                    continue;
                const words = ` ${label.text} `, at = words.indexOf(` ${over.text} `);
                if (at >= 0) {
                    label.text = (words.slice(0, at) + words.slice(at + over.text.length + 1))
                        .replace(/ +/g, ' ').trim();
                    label.heading = true;
                }
            }
        const read = labels.filter((label) => label.text);
        while (this.texts.length > read.length)
            this.texts.pop().el.remove();
        while (this.texts.length < read.length) {
            const p = document.createElement('p');
            p.className = 'labels';
            p.dataset.label = '';
            this.texts.push({ el: p, at: null });
        }
        read.forEach((label, i) => {
            const p = this.texts[i].el;
            this.texts[i].at = label.item;
            if (p.textContent !== label.text)
                p.textContent = label.text;
            if (label.heading !== p.hasAttribute('role')) {
                if (label.heading) {
                    p.setAttribute('role', 'heading');
                    p.setAttribute('aria-level', '2');
                } else {
                    p.removeAttribute('role');
                    p.removeAttribute('aria-level');
                }
            }
        });
        this.readingOrder();
    }

    // The texts and controls in reading order, after the canvases; nodes move only when the order
    // changes (a moved node loses the focus, which is given back).
    readingOrder() {
        const controls = [...this.controls.values()].filter((c) => c.at);
        const parts = [...this.texts, ...controls.map((c) => ({ el: c.el, at: c.at }))]
            .sort((a, b) => a.at.top - b.at.top || a.at.left - b.at.left);
        const now = [...this.client.children].filter((el) => el.tagName !== 'CANVAS');
        if (now.length === parts.length && parts.every((part, i) => part.el === now[i]))
            return;
        const focused = document.activeElement;
        this.client.append(...parts.map((part) => part.el));
        if (focused && focused !== document.activeElement && this.client.contains(focused))
            focused.focus({ preventScroll: true });
    }
}

// The whole CSS pixel nearest `at` (within MaxNudge) at which `at + offset` CSS pixels fall on a whole
// device pixel, or nearest to one where none does within reach (the canvases are drawn pixelated then).
const MaxNudge = 16;
function onDeviceGrid(at, offset, ratio) {
    let best = at, bestError = Infinity;
    for (let nudge = 0; nudge <= MaxNudge && bestError > 1e-3; ++nudge)
        for (const x of [at - nudge, at + nudge]) {
            const device = (x + offset) * ratio;
            const error = Math.abs(device - Math.round(device));
            if (x >= 0 && error < bestError - 1e-6) {
                best = x;
                bestError = error;
            }
        }
    return best;
}

// Buttons and the scroll bar are HTML controls between the canvas layers; every other item is drawn.
function isControl(item) {
    return item.kind === Kind.Button || item.kind === Kind.ScrollBar;
}

function twipsRect(item) {
    return { x: item.left, y: item.top, w: item.width, h: item.height };
}

function area(item) {
    return item.width * item.height;
}

