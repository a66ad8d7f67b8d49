// One window on the page: title bar, client area, canvas layers between the real controls.
import { TwipsPerPixel, Kind } from './engine.js';
import {
    css, setStyle, itemRect, intersects, contains, union, repaintAreas, drawCell, drawLabel, drawPanel,
    pictureCanvas,
} from './draw.js';
import { PageButton, PageScrollBar } from './controls.js';
import { ItemGrid } from './item_grid.js';

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
        this.layers = [];
        this.controls = new Map(); // scene item id -> HTML control
        this.builtFor = null; // the load, size and scale the layers were built for
        this.layerOf = null;
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
        this.el.style.left = `${this.x / this.scale}px`;
        this.el.style.top = `${this.y / this.scale}px`;
        this.alignLayers();
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

    // Canvas layers between the HTML controls: items behind the first shown control go on layer 0,
    // items between it and the next on layer 1, and so on. Returns each item's layer (by its index)
    // and the controls in drawing order.
    arrange(win) {
        const layerOf = new Array(win.items.length).fill(0);
        const html = [];
        let layer = 0;
        win.items.forEach((item, i) => {
            if (isControl(item)) {
                html.push(item);
                if (item.visible)
                    ++layer;
            }
            layerOf[i] = layer;
        });
        return { layerOf, layers: layer + 1, html };
    }

    // A frame that is not whole changes no HTML control and keeps the layers (the engine sends every
    // item after a change to a button or the scroll bar); it only repaints, and renews the label texts
    // if a label changed.
    update(win, engine, changedItems) {
        // Canvases are drawn at the device's pixels, the window's own scale included.
        const scale = (window.devicePixelRatio || 1) * this.scale;
        const width = win.width / TwipsPerPixel, height = win.height / TwipsPerPixel;
        if (this.captionEl.textContent !== win.caption)
            this.captionEl.textContent = win.caption;
        const built = this.builtFor;
        const whole = win.whole || !built || built.generation !== win.generation || built.width !== width ||
            built.height !== height || built.scale !== scale;
        if (whole) {
            this.builtFor = { generation: win.generation, width, height, scale };
            setStyle(this.el, 'width', `${width}px`);
            setStyle(this.el, 'height', `${height}px`);
            const { layerOf, layers, html } = this.arrange(win);
            this.layerOf = layerOf;
            this.rebuildLayers(layers, width, height, scale);
            this.updateControls(html);
            this.grid = new ItemGrid(this.layers[0].width, this.layers[0].height);
            win.items.forEach((item) => this.place(item, scale));
        } else {
            for (const item of changedItems)
                this.place(item, scale);
        }
        if (whole || changedItems.some((item) => item.kind === Kind.Label))
            this.updateLabels(win.items);
        this.paint(win, engine, whole, scale);
    }

    // The next frame draws the window whole.
    drawAfresh() {
        this.builtFor = null;
    }

    // Keeps the grid of drawn items up to date with an item's place.
    place(item, scale) {
        if (!isControl(item))
            this.grid.place(item.index, itemRect(item, scale));
    }

    rebuildLayers(count, width, height, scale) {
        while (this.layers.length > count)
            this.layers.pop().remove();
        while (this.layers.length < count) {
            const canvas = document.createElement('canvas');
            canvas.setAttribute('aria-hidden', 'true');
            // The bottom layer covers the whole window: opaque, so it is composited without blending.
            canvas.ctx = canvas.getContext('2d', { alpha: this.layers.length !== 0 });
            // A browser short of memory may drop a canvas's pixels; they come back blank.
            canvas.addEventListener('contextrestored', () => this.page.redraw(true));
            this.client.append(canvas);
            this.layers.push(canvas);
        }
        // A scaled window's canvas covers its client area in whole CSS pixels, its backing store the
        // device's pixels of those, drawn at the device pixel ratio times the window's scale.
        const fit = this.scale !== 1;
        const cssWidth = fit ? Math.ceil(width * this.scale - 1 / 256) : width;
        const cssHeight = fit ? Math.ceil(height * this.scale - 1 / 256) : height;
        const ratio = scale / this.scale;
        for (const canvas of this.layers) {
            canvas.width = Math.round(fit ? cssWidth * ratio : width * scale);
            canvas.height = Math.round(fit ? cssHeight * ratio : height * scale);
            canvas.style.width = `${fit ? scaledLength(cssWidth, this.scale) : width}px`;
            canvas.style.height = `${fit ? scaledLength(cssHeight, this.scale) : height}px`;
            if (!fit) {
                setStyle(canvas, 'left', '');
                setStyle(canvas, 'top', '');
            }
        }
        this.alignLayers();
    }

    updateControls(html) {
        const seen = new Set();
        let layer = 0;
        html.forEach((item) => {
            seen.add(item.id);
            let control = this.controls.get(item.id);
            if (!control) {
                control = item.kind === Kind.Button ? new PageButton(this.page, this, item)
                    : new PageScrollBar(this.page, this, item);
                this.controls.set(item.id, control);
                this.client.append(control.el);
            }
            control.update(item);
            if (item.visible)
                ++layer;
            // Stacking: canvas layer n has z-index 2n, the control in front of it 2n + 1.
            setStyle(control.el, 'zIndex', String(2 * (item.visible ? layer - 1 : 0) + 1));
        });
        this.layers.forEach((canvas, n) => setStyle(canvas, 'zIndex', String(2 * n)));
        for (const [id, control] of this.controls)
            if (!seen.has(id)) {
                control.el.remove();
                this.controls.delete(id);
            }
    }

    // The drawn labels' texts, for assistive technology (and tests): one static text each, in the
    // drawing order, while the label is shown.
    updateLabels(items) {
        if (!this.labelBox) {
            this.labelBox = document.createElement('div');
            this.labelBox.className = 'labels';
            this.client.append(this.labelBox);
        }
        const labels = items.filter((item) => item.kind === Kind.Label && item.visible && item.text.trim());
        while (this.labelBox.children.length > labels.length)
            this.labelBox.lastChild.remove();
        while (this.labelBox.children.length < labels.length) {
            const p = document.createElement('p');
            p.dataset.label = '';
            this.labelBox.append(p);
        }
        labels.forEach((item, i) => {
            const text = item.text.replace(/ +/g, ' ').trim();
            if (this.labelBox.children[i].textContent !== text)
                this.labelBox.children[i].textContent = text;
        });
    }

    // Repaints what changed: each group of overlapping changed areas (a falling piece's old and new
    // places overlap; the two curtain halves are far apart) on every layer that has or had something
    // there, drawing the items that reach into it.
    paint(win, engine, whole, scale) {
        if (whole) {
            for (const layer of this.layers)
                layer.inked = null;
            const all = { x: 0, y: 0, w: this.layers[0].width, h: this.layers[0].height };
            this.paintArea(win, engine, all, win.items.keys(), scale);
            return;
        }
        for (const area of repaintAreas(win.changed, scale))
            this.paintArea(win, engine, area, this.grid.near(area), scale);
    }

    // A layer in front is transparent and mostly empty: one that is left alone is not sent to the
    // compositor again.
    paintArea(win, engine, area, indices, scale) {
        const toDraw = this.layers.map(() => []);
        for (const i of indices) {
            const item = win.items[i];
            if (item.visible && !isControl(item) && intersects(itemRect(item, scale), area))
                toDraw[this.layerOf[i]].push(item);
        }
        toDraw.forEach((layerItems, n) => {
            const layer = this.layers[n];
            const items = withoutHidden(layerItems, scale);
            if (n > 0 && items.length === 0 && !(layer.inked && intersects(layer.inked, area)))
                return;
            const ctx = layer.ctx;
            ctx.save();
            ctx.beginPath();
            ctx.rect(area.x, area.y, area.w, area.h);
            ctx.clip();
            if (n === 0) {
                ctx.fillStyle = css(win.back);
                ctx.fillRect(area.x, area.y, area.w, area.h);
            } else {
                ctx.clearRect(area.x, area.y, area.w, area.h);
            }
            for (const item of items)
                layer.inked = union(layer.inked, this.drawItem(ctx, item, engine, scale));
            ctx.restore();
        });
    }

    // Draws one item; returns the device pixels it may have touched.
    drawItem(ctx, item, engine, scale) {
        const r = itemRect(item, scale);
        switch (item.kind) {
        case Kind.Cell:
            drawCell(ctx, item, scale);
            return r;
        case Kind.Label:
            drawLabel(ctx, item, scale);
            return r;
        case Kind.Panel:
            drawPanel(ctx, item, scale);
            return r;
        case Kind.Image: {
            const picture = pictureCanvas(engine, 0);
            ctx.imageSmoothingEnabled = false;
            if (item.stretch) {
                ctx.drawImage(picture, r.x, r.y, r.w, r.h);
                return r;
            }
            const drawn = { x: r.x, y: r.y, w: Math.round(picture.width * scale), h: Math.round(scale) };
            ctx.drawImage(picture, drawn.x, drawn.y, drawn.w, drawn.h);
            return union(r, drawn);
        }
        default:
            return null;
        }
    }

    // The buttons of the window, frontmost first.
    shownButtonsFrontFirst() {
        return [...this.controls.values()].filter((c) => c instanceof PageButton && !c.el.hidden).reverse();
    }
}

// The length to give an element inside a window scaled by `scale` for it to lay out as `pixels` CSS
// pixels, which the browser keeps to a 64th: a 128th more, so that its rounding, up or down, lands there.
function scaledLength(pixels, scale) {
    return (pixels + 1 / 128) / scale;
}

// Buttons and the scroll bar are HTML controls between the canvas layers; every other item is drawn.
function isControl(item) {
    return item.kind === Kind.Button || item.kind === Kind.ScrollBar;
}

// Whether an item paints the whole of its rectangle opaquely: nothing drawn before it shows there.
function isSolid(item) {
    switch (item.kind) {
    case Kind.Panel:
        return true;
    case Kind.Label:
        return item.opaque;
    case Kind.Cell: // a cell draws the square of its shorter side
        return item.opaque && item.width === item.height;
    default:
        return false;
    }
}

// One layer's items in drawing order, less those that a solid item drawn later wholly covers: while the
// curtain slides, the cells behind a half are not drawn only to be painted over. An image may draw
// beyond its rectangle, so it is always drawn.
function withoutHidden(items, scale) {
    const kept = [];
    const solids = [];
    for (let k = items.length - 1; k >= 0; --k) {
        const item = items[k];
        const r = itemRect(item, scale);
        if (item.kind !== Kind.Image && solids.some((s) => contains(s, r)))
            continue;
        kept.push(item);
        if (isSolid(item))
            solids.push(r);
    }
    return kept.reverse();
}
