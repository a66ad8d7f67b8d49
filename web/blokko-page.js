// Blokko in the browser. The engine and its scene run in WebAssembly (blokko-engine.js); this page draws
// the scene's items on a canvas per window, places real buttons and the scroll bar where the scene puts
// them, forwards keys, clicks and closes, and drives the engine's three timers from one clock. It holds
// no rule of the game and no rule of how a control looks beyond mapping a scene item to Canvas calls.
'use strict';

(function () {
    const TwipsPerPixel = 15;
    const PixelsPerPoint = 96 / 72;
    const FallbackFamily = 'DejaVu Sans';

    // ---- The engine's C interface (web/page_api.cpp) ------------------------------------------------

    // Item kinds and flags, as web/page_api.cpp writes them.
    const Kind = { Cell: 1, Label: 2, Panel: 3, Image: 4, Button: 5, ScrollBar: 6 };
    const Flag = { Visible: 1, Enabled: 2, Opaque: 4, Stretch: 8, Bold: 16, Italic: 32, InnerVisible: 64 };
    const ItemFields = 24;
    const WindowFields = 10;

    class Engine {
        constructor(module) {
            this.m = module;
            this.call = {
                start: module.cwrap('page_start', null, []),
                ended: module.cwrap('page_ended', 'number', []),
                click: module.cwrap('page_click', null, ['number', 'number']),
                scroll: module.cwrap('page_scroll', null, ['number']),
                key: module.cwrap('page_key', null, ['number']),
                tick: module.cwrap('page_tick', null, ['number']),
                close: module.cwrap('page_close', null, ['number']),
                timer: module.cwrap('page_timer', 'number', ['number', 'number']),
                dirty: module.cwrap('page_dirty', 'number', []),
                frame: module.cwrap('page_frame', 'number', []),
                text: module.cwrap('page_text', 'number', ['number']),
                picture: module.cwrap('page_picture', 'number', []),
                pictureWidth: module.cwrap('page_picture_width', 'number', []),
            };
            this.frameTexts = new Map();
        }

        text(id) {
            if (id < 0)
                return '';
            let text = this.frameTexts.get(id);
            if (text === undefined) {
                text = this.m.UTF8ToString(this.call.text(id));
                this.frameTexts.set(id, text);
            }
            return text;
        }

        // The picture that images show, as 0x00RRGGBB pixels in one row.
        picture() {
            const width = this.call.pictureWidth();
            const at = this.call.picture() >> 2;
            return Array.from(this.m.HEAPU32.subarray(at, at + width));
        }

        // One frame of the scene: for each window its state, its items in z order (back to front) and the
        // areas changed since the last frame, all in twips.
        frame() {
            const h = this.m.HEAPF64;
            let p = this.call.frame() >> 3;
            this.frameTexts.clear();
            const windows = [];
            const count = h[p++];
            for (let w = 0; w < count; ++w) {
                const win = {
                    shown: h[p] !== 0,
                    generation: h[p + 1],
                    width: h[p + 2],
                    height: h[p + 3],
                    back: h[p + 4],
                    caption: this.text(h[p + 5]),
                    whole: h[p + 6] !== 0,
                    all: h[p + 7] !== 0,
                    items: [],
                    changed: [],
                };
                const itemCount = h[p + 8];
                const changedCount = h[p + 9];
                p += WindowFields;
                for (let i = 0; i < itemCount; ++i, p += ItemFields) {
                    win.items.push({
                        kind: h[p], id: h[p + 1], left: h[p + 2], top: h[p + 3], width: h[p + 4], height: h[p + 5],
                        back: h[p + 6], hatch: h[p + 7], borderColour: h[p + 8], borderWidth: h[p + 9],
                        fore: h[p + 10], text: this.text(h[p + 11]), family: this.text(h[p + 12]),
                        points: h[p + 13], bold: (h[p + 14] & Flag.Bold) !== 0, italic: (h[p + 14] & Flag.Italic) !== 0,
                        visible: (h[p + 14] & Flag.Visible) !== 0, enabled: (h[p + 14] & Flag.Enabled) !== 0,
                        opaque: (h[p + 14] & Flag.Opaque) !== 0, stretch: (h[p + 14] & Flag.Stretch) !== 0,
                        value: h[p + 15], min: h[p + 16], max: h[p + 17],
                        inner: { left: h[p + 18], top: h[p + 19], width: h[p + 20], height: h[p + 21] },
                        innerVisible: (h[p + 14] & Flag.InnerVisible) !== 0, innerBack: h[p + 22],
                        index: h[p + 23],
                    });
                }
                for (let i = 0; i < changedCount; ++i, p += 4)
                    win.changed.push({ left: h[p], top: h[p + 1], width: h[p + 2], height: h[p + 3] });
                windows.push(win);
            }
            return windows;
        }
    }

    // ---- Colours, fonts, hatches ---------------------------------------------------------------------

    // 0x00BBGGRR; a system colour (high bit set) is the window-text colour, black.
    function css(colour) {
        if (colour >= 0x80000000)
            return '#000';
        const r = colour & 0xff, g = (colour >> 8) & 0xff, b = (colour >> 16) & 0xff;
        return `rgb(${r},${g},${b})`;
    }

    // Whole logical pixels, as the desktop sizes its fonts.
    function fontPixels(item) {
        return Math.max(1, Math.round(item.points * PixelsPerPoint));
    }

    function cssFont(item, scale) {
        return `${item.italic ? 'italic ' : ''}${item.bold ? 700 : 400} ${fontPixels(item) * scale}px ` +
            `"${item.family}", "${FallbackFamily}"`;
    }

    // Hatches are 8 by 8 logical pixels, one logical pixel thick, anchored at the window's corner: at any
    // device pixel ratio they look as at ratio 1, only finer.
    const HatchRows = {
        2: ['........', '........', '........', '########', '........', '........', '........', '........'],
        3: ['....#...', '....#...', '....#...', '....#...', '....#...', '....#...', '....#...', '....#...'],
        4: ['.......#', '......#.', '.....#..', '....#...', '...#....', '..#.....', '.#......', '#.......'],
        5: ['#.......', '.#......', '..#.....', '...#....', '....#...', '.....#..', '......#.', '.......#'],
        6: ['....#...', '....#...', '....#...', '########', '....#...', '....#...', '....#...', '....#...'],
        7: ['#......#', '.#....#.', '..#..#..', '...##...', '...##...', '..#..#..', '.#....#.', '#......#'],
    };
    const hatchPatterns = new Map();
    function hatchPattern(ctx, hatch, scale) {
        const key = `${hatch}@${scale}`;
        if (hatchPatterns.has(key))
            return hatchPatterns.get(key);
        const rows = HatchRows[hatch];
        let pattern = null;
        if (rows) {
            const size = Math.round(8 * scale);
            const tile = document.createElement('canvas');
            tile.width = tile.height = size;
            const t = tile.getContext('2d');
            t.fillStyle = '#000';
            for (let y = 0; y < 8; ++y)
                for (let x = 0; x < 8; ++x)
                    if (rows[y][x] === '#') {
                        const x0 = Math.round(x * scale), y0 = Math.round(y * scale);
                        t.fillRect(x0, y0, Math.round((x + 1) * scale) - x0, Math.round((y + 1) * scale) - y0);
                    }
            pattern = ctx.createPattern(tile, 'repeat');
        }
        hatchPatterns.set(key, pattern);
        return pattern;
    }

    // Styles are written only when they change: a write, even of the same value, costs a style pass.
    const written = new WeakMap();
    function setStyle(element, name, value) {
        let styles = written.get(element);
        if (!styles)
            written.set(element, (styles = {}));
        if (styles[name] !== value) {
            styles[name] = value;
            element.style[name] = value;
        }
    }

    // ---- Drawing one window's items on canvas layers -------------------------------------------------

    // A rectangle in twips as whole device pixels (edges rounded, so neighbours share edges exactly).
    function deviceRect(r, scale) {
        const k = scale / TwipsPerPixel;
        const x0 = Math.round(r.left * k), y0 = Math.round(r.top * k);
        return { x: x0, y: y0, w: Math.round((r.left + r.width) * k) - x0, h: Math.round((r.top + r.height) * k) - y0 };
    }

    function intersects(a, b) {
        return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
    }

    // The square is drawn with the side of the shorter edge, from the cell's top left corner; its edges
    // are rounded to device pixels each on its own, so neighbouring cells meet without a gap.
    function drawCell(ctx, item, scale) {
        const twips = Math.min(item.width, item.height);
        if (twips <= 0)
            return;
        const r = deviceRect({ left: item.left, top: item.top, width: twips, height: twips }, scale);
        if (item.opaque) {
            ctx.fillStyle = css(item.back);
            ctx.fillRect(r.x, r.y, r.w, r.h);
            const pattern = item.hatch === 0 ? '#000' : hatchPattern(ctx, item.hatch, scale);
            if (pattern) {
                ctx.fillStyle = pattern;
                ctx.fillRect(r.x, r.y, r.w, r.h);
            }
        }
        const border = Math.min(Math.round(Math.max(item.borderWidth, 0) * scale), Math.floor(Math.min(r.w, r.h) / 2));
        if (border <= 0)
            return;
        ctx.fillStyle = css(item.borderColour);
        ctx.fillRect(r.x, r.y, r.w, border);
        ctx.fillRect(r.x, r.y + r.h - border, r.w, border);
        ctx.fillRect(r.x, r.y + border, border, r.h - 2 * border);
        ctx.fillRect(r.x + r.w - border, r.y + border, border, r.h - 2 * border);
    }

    // Lines broken at blanks to fit the width, as a word-wrapping label does.
    function wrapLines(ctx, text, width) {
        const lines = [];
        for (const paragraph of text.split('\n')) {
            let line = '';
            for (const word of paragraph.split(/(?<= )/)) {
                const candidate = line + word;
                if (line !== '' && ctx.measureText(candidate.trimEnd()).width > width) {
                    lines.push(line);
                    line = word;
                } else {
                    line = candidate;
                }
            }
            lines.push(line);
        }
        return lines;
    }

    function drawLabel(ctx, item, scale) {
        const r = deviceRect(item, scale);
        if (item.opaque) {
            ctx.fillStyle = css(item.back);
            ctx.fillRect(r.x, r.y, r.w, r.h);
        }
        if (!item.text)
            return;
        ctx.save();
        ctx.beginPath();
        ctx.rect(r.x, r.y, r.w, r.h);
        ctx.clip();
        ctx.font = cssFont(item, scale);
        ctx.fillStyle = css(item.fore);
        ctx.textBaseline = 'alphabetic';
        const metrics = ctx.measureText('Hg');
        const ascent = metrics.fontBoundingBoxAscent, lineHeight = ascent + metrics.fontBoundingBoxDescent;
        let y = r.y + ascent;
        for (const line of wrapLines(ctx, item.text, r.w)) {
            ctx.fillText(line, r.x, y);
            y += lineHeight;
        }
        ctx.restore();
    }

    // A panel and the filler cell it holds, placed relative to the panel and clipped by it.
    function drawPanel(ctx, item, scale) {
        const r = deviceRect(item, scale);
        ctx.fillStyle = css(item.back);
        ctx.fillRect(r.x, r.y, r.w, r.h);
        if (!item.innerVisible)
            return;
        ctx.save();
        ctx.beginPath();
        ctx.rect(r.x, r.y, r.w, r.h);
        ctx.clip();
        drawCell(ctx, {
            left: item.left + item.inner.left, top: item.top + item.inner.top, width: item.inner.width,
            height: item.inner.height, opaque: true, back: item.innerBack, hatch: 1, borderColour: item.borderColour,
            borderWidth: item.borderWidth,
        }, scale);
        ctx.restore();
    }

    const pictureCanvases = new Map();
    function pictureCanvas(engine, id) {
        if (!pictureCanvases.has(id)) {
            const pixels = engine.picture();
            const c = document.createElement('canvas');
            c.width = pixels.length;
            c.height = 1;
            const g = c.getContext('2d');
            const data = g.createImageData(pixels.length, 1);
            pixels.forEach((p, x) => data.data.set([(p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff, 255], 4 * x));
            g.putImageData(data, 0, 0);
            pictureCanvases.set(id, c);
        }
        return pictureCanvases.get(id);
    }

    // ---- One window on the page ----------------------------------------------------------------------

    class PageWindow {
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
            this.structure = '';
            this.scale = 0;
            this.placed = false;
            this.el.addEventListener('pointerdown', () => page.activate(this), true);
            this.dragFromTitleBar();
        }

        dragFromTitleBar() {
            let start = null;
            this.titleBar.addEventListener('pointerdown', (e) => {
                if (e.button !== 0 || e.target.closest('.close'))
                    return;
                start = { x: e.clientX - this.el.offsetLeft, y: e.clientY - this.el.offsetTop };
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

        moveTo(x, y) {
            this.el.style.left = `${Math.round(x)}px`;
            this.el.style.top = `${Math.round(y)}px`;
        }

        // The outer box of the window on the desk, in CSS pixels.
        frameSize() {
            return { width: this.el.offsetWidth, height: this.el.offsetHeight };
        }

        // Canvas layers between the HTML controls: items behind the first shown control go on layer 0,
        // items between it and the next on layer 1, and so on.
        arrange(win) {
            const groups = [[]];
            const html = [];
            for (const item of win.items) {
                if (item.kind === Kind.Button || item.kind === Kind.ScrollBar) {
                    html.push(item);
                    if (item.visible)
                        groups.push([]);
                } else {
                    groups[groups.length - 1].push(item);
                }
            }
            return { groups, html };
        }

        update(win, engine) {
            const scale = window.devicePixelRatio || 1;
            const width = win.width / TwipsPerPixel, height = win.height / TwipsPerPixel;
            if (this.captionEl.textContent !== win.caption)
                this.captionEl.textContent = win.caption;
            setStyle(this.el, 'width', `${width}px`);
            setStyle(this.el, 'height', `${height}px`);
            const { groups, html } = this.arrange(win);
            const structure = `${win.generation}|${width}x${height}|` +
                html.map((item) => `${item.id}:${item.visible ? 1 : 0}`).join(',');
            let whole = win.whole || structure !== this.structure || scale !== this.scale;
            if (whole)
                this.rebuildLayers(groups.length, width, height, scale);
            this.structure = structure;
            this.scale = scale;
            this.updateControls(html);
            this.updateLabels(win.items);
            this.paint(win, engine, groups, whole, scale);
        }

        rebuildLayers(count, width, height, scale) {
            while (this.layers.length > count)
                this.layers.pop().remove();
            while (this.layers.length < count) {
                const canvas = document.createElement('canvas');
                canvas.setAttribute('aria-hidden', 'true');
                this.client.append(canvas);
                this.layers.push(canvas);
            }
            for (const canvas of this.layers) {
                canvas.width = Math.round(width * scale);
                canvas.height = Math.round(height * scale);
                canvas.style.width = `${width}px`;
                canvas.style.height = `${height}px`;
            }
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

        // Repaints what changed: the bounding box of the changed areas (a falling piece's old and new
        // places overlap), on every layer, drawing the items that reach into it.
        paint(win, engine, groups, whole, scale) {
            let area = { x: 0, y: 0, w: this.layers[0].width, h: this.layers[0].height };
            if (!whole) {
                if (win.changed.length === 0)
                    return;
                let x0 = Infinity, y0 = Infinity, x1 = -Infinity, y1 = -Infinity;
                for (const r of win.changed) {
                    const d = deviceRect(r, scale);
                    x0 = Math.min(x0, d.x);
                    y0 = Math.min(y0, d.y);
                    x1 = Math.max(x1, d.x + d.w);
                    y1 = Math.max(y1, d.y + d.h);
                }
                // A pixel of margin takes in anti-aliased text edges.
                area = { x: x0 - 1, y: y0 - 1, w: x1 - x0 + 2, h: y1 - y0 + 2 };
            }
            groups.forEach((items, n) => {
                // The bottom layer covers the whole window: opaque, so it is composited without blending.
                const ctx = this.layers[n].getContext('2d', { alpha: n !== 0 });
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
                    if (item.visible && (whole || intersects(deviceRect(item, scale), area)))
                        this.drawItem(ctx, item, engine, scale);
                ctx.restore();
            });
        }

        drawItem(ctx, item, engine, scale) {
            switch (item.kind) {
            case Kind.Cell:
                drawCell(ctx, item, scale);
                break;
            case Kind.Label:
                drawLabel(ctx, item, scale);
                break;
            case Kind.Panel:
                drawPanel(ctx, item, scale);
                break;
            case Kind.Image: {
                const picture = pictureCanvas(engine, 0);
                const r = deviceRect(item, scale);
                ctx.imageSmoothingEnabled = false;
                if (item.stretch)
                    ctx.drawImage(picture, r.x, r.y, r.w, r.h);
                else
                    ctx.drawImage(picture, r.x, r.y, Math.round(picture.width * scale), Math.round(scale));
                break;
            }
            default:
                break;
            }
        }

        // The buttons of the window, frontmost first.
        shownButtonsFrontFirst() {
            return [...this.controls.values()].filter((c) => c instanceof PageButton && !c.el.hidden).reverse();
        }
    }

    // A push button of the scene as a real <button>, its caption its text.
    class PageButton {
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
    class PageScrollBar {
        constructor(page, owner, item) {
            this.page = page;
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

        set(value) {
            const v = Math.min(this.max, Math.max(this.min, value));
            if (v !== this.value)
                this.page.scroll(v);
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
                const at = Math.min(room, Math.max(0, drag.left + e.clientX - drag.x));
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

    // ---- The clock: one scheduler on performance.now() for the engine's three timers ------------------

    // Each ticking timer has the time of its next tick. A wake delivers every tick that is due, earliest
    // first, each at its own time (a timer that an event restarts counts from the time of that event), so
    // a 1 ms or 2 ms timer keeps its rate although the browser wakes the page less often. Ticks missed
    // while the page was hidden are not delivered: the clock stands still while no one can see the game,
    // and play goes on from where it was when the page is seen again. A timer whose tick is late by more
    // than its interval or MaxLag ms (a frame: the page was busy drawing, or the machine was) loses that
    // time too, rather than play the missed ticks in a burst.
    const MaxLag = 16;

    class Clock {
        constructor(onTick) {
            this.onTick = onTick;
            this.timers = [1, 2, 3].map((id) => ({ id, interval: 0, ticking: false, due: 0, count: 0 }));
            this.handle = null;
            this.channel = new MessageChannel();
            this.channel.port1.onmessage = () => this.wake();
            this.stopped = false;
            this.hiddenAt = null;
            document.addEventListener('visibilitychange', () => this.visibility());
        }

        // Mirrors one engine timer: a change of interval or enabled state (re)starts it at `at`.
        mirror(id, interval, enabled, at) {
            const t = this.timers[id - 1];
            const ticking = enabled && interval > 0;
            if (t.ticking === ticking && t.interval === interval && !t.restart)
                return;
            t.interval = interval;
            t.ticking = ticking;
            t.restart = false;
            if (ticking)
                t.due = at + interval;
        }

        // A new load of the game window has new timers: each starts afresh.
        reset() {
            for (const t of this.timers)
                t.restart = true;
        }

        stop() {
            this.stopped = true;
            for (const t of this.timers)
                t.ticking = false;
            clearTimeout(this.handle);
        }

        start() {
            this.stopped = false;
        }

        next() {
            let first = null;
            for (const t of this.timers)
                if (t.ticking && (!first || t.due < first.due))
                    first = t;
            return first;
        }

        schedule() {
            clearTimeout(this.handle);
            this.handle = null;
            if (this.stopped || document.hidden)
                return;
            const first = this.next();
            if (!first)
                return;
            const delay = first.due - performance.now();
            // Browsers hold nested timeouts to at least 4 ms: the 1 ms and 2 ms parade is waited for by
            // messages, which let input and drawing in between; longer intervals sleep.
            if (delay <= 0 || first.interval < 4)
                this.channel.port2.postMessage(0);
            else
                this.handle = setTimeout(() => this.wake(), delay);
        }

        wake() {
            if (this.stopped || document.hidden)
                return;
            const now = performance.now();
            for (const t of this.timers)
                if (t.ticking && now - t.due > Math.max(MaxLag, t.interval))
                    t.due = now;
            for (let t = this.next(); t && t.due <= now && !this.stopped; t = this.next()) {
                const at = t.due;
                t.due += t.interval;
                ++t.count;
                this.onTick(t.id, at);
            }
            this.schedule();
        }

        shift(by) {
            for (const t of this.timers)
                if (t.ticking)
                    t.due += by;
        }

        visibility() {
            if (document.hidden) {
                this.hiddenAt = performance.now();
                clearTimeout(this.handle);
            } else {
                if (this.hiddenAt !== null)
                    this.shift(performance.now() - this.hiddenAt);
                this.hiddenAt = null;
                this.schedule();
            }
        }
    }

    // ---- Keys ----------------------------------------------------------------------------------------

    // The virtual-key code of the physical key, whatever the keyboard layout.
    const NamedKeys = {
        Backspace: 8, Tab: 9, Enter: 13, NumpadEnter: 13, ShiftLeft: 16, ShiftRight: 16, ControlLeft: 17,
        ControlRight: 17, AltLeft: 18, AltRight: 18, Pause: 19, CapsLock: 20, Escape: 27, Space: 32, PageUp: 33,
        PageDown: 34, End: 35, Home: 36, ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Insert: 45,
        Delete: 46,
    };
    function virtualKey(code) {
        let m = /^Key([A-Z])$/.exec(code);
        if (m)
            return m[1].charCodeAt(0);
        m = /^Digit([0-9])$/.exec(code);
        if (m)
            return 48 + Number(m[1]);
        m = /^F([0-9]+)$/.exec(code);
        if (m && Number(m[1]) >= 1 && Number(m[1]) <= 24)
            return 111 + Number(m[1]);
        return NamedKeys[code] || 0;
    }

    // ---- The page ------------------------------------------------------------------------------------

    const WindowGap = 16;
    const DeskMargin = 24;

    class Page {
        constructor(engine) {
            this.engine = engine;
            this.desk = document.getElementById('desk');
            this.windows = ['Form2', 'Blokko'].map((name, i) => new PageWindow(this, name, i));
            for (const w of this.windows)
                this.desk.append(w.el);
            this.active = null;
            this.stack = 10;
            this.frameRequested = false;
            this.clock = new Clock((id, at) => this.tick(id, at));
            this.loads = -1;
            this.ticks = { 1: 0, 2: 0, 3: 0 };
            // The intervals between each timer's ticks (for the benchmark).
            this.tickTimes = {};
            for (const id of [1, 2, 3])
                this.tickTimes[id] = { first: null, last: null, sum: 0, intervals: 0 };
            // Milliseconds spent in ticks and in frames, and the frames drawn (for the benchmark).
            this.busy = { tick: 0, render: 0, decode: 0, frames: 0 };
            this.keys();
            document.getElementById('start-again').addEventListener('click', () => this.start());
            window.addEventListener('resize', () => this.requestFrame());
            this.watchPixelRatio();
        }

        watchPixelRatio() {
            const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
            query.addEventListener('change', () => {
                this.requestFrame();
                this.watchPixelRatio();
            }, { once: true });
        }

        start() {
            document.getElementById('ended').hidden = true;
            for (const w of this.windows)
                w.placed = false;
            this.engine.call.start();
            this.clock.start();
            this.loads = -1;
            this.afterEvent(performance.now());
            this.render();
        }

        // After every event: end, timers, then a frame.
        afterEvent(at) {
            if (this.engine.call.ended()) {
                this.end();
                return;
            }
            const loads = this.engine.call.timer(0, 0);
            if (loads !== this.loads) {
                this.loads = loads;
                this.clock.reset();
            }
            for (const id of [1, 2, 3])
                this.clock.mirror(id, this.engine.call.timer(id, 0), this.engine.call.timer(id, 1) !== 0, at);
            this.clock.schedule();
            if (this.engine.call.dirty())
                this.requestFrame();
        }

        tick(id, at) {
            const began = performance.now();
            ++this.ticks[id];
            // Intervals between a timer's ticks while it runs (the time a timer stood stopped left out).
            const seen = this.tickTimes[id];
            const interval = this.clock.timers[id - 1].interval;
            if (seen.last !== null && began - seen.last < 3 * interval) {
                seen.sum += began - seen.last;
                ++seen.intervals;
            }
            if (seen.first === null)
                seen.first = began;
            seen.last = began;
            this.engine.call.tick(id);
            this.afterEvent(at);
            this.busy.tick += performance.now() - began;
        }

        click(window, id) {
            this.engine.call.click(window, id);
            this.afterEvent(performance.now());
        }

        scroll(value) {
            this.engine.call.scroll(value);
            this.afterEvent(performance.now());
        }

        close(index) {
            this.engine.call.close(index);
            this.afterEvent(performance.now());
        }

        end() {
            this.clock.stop();
            for (const w of this.windows)
                w.el.hidden = true;
            const ended = document.getElementById('ended');
            ended.hidden = false;
            document.getElementById('start-again').focus();
        }

        requestFrame() {
            if (this.frameRequested)
                return;
            this.frameRequested = true;
            requestAnimationFrame(() => this.render());
        }

        render() {
            const began = performance.now();
            try {
                this.draw();
            } finally {
                this.busy.render += performance.now() - began;
                ++this.busy.frames;
            }
        }

        draw() {
            this.frameRequested = false;
            if (this.engine.call.ended())
                return;
            const decodeBegan = performance.now();
            const frame = this.engine.frame();
            this.busy.decode += performance.now() - decodeBegan;
            const shownBefore = this.windows.map((w) => !w.el.hidden);
            frame.forEach((incoming, i) => {
                const w = this.windows[i];
                // The window keeps its items: a frame brings all of them, or those that changed.
                const win = incoming;
                if (!incoming.all && w.last) {
                    const items = w.last.items;
                    for (const item of incoming.items)
                        items[item.index] = item;
                    win.items = items;
                }
                w.last = win;
                if (win.shown)
                    w.update(win, this.engine);
                else
                    w.structure = ''; // drawn afresh when shown again
                if (w.el.hidden !== !win.shown)
                    w.el.hidden = !win.shown;
            });
            // A window that the program shows is placed (the first time) and becomes the active one.
            this.windows.forEach((w, i) => {
                if (!shownBefore[i] && !w.el.hidden) {
                    this.place(w);
                    this.activate(w);
                }
            });
            if (this.active && this.active.el.hidden) {
                const other = this.windows.find((w) => !w.el.hidden);
                if (other)
                    this.activate(other);
            }
        }

        // The game window in the middle of the desk's top; the difficulty window beside it when both are
        // shown, else where the game window will stand.
        place(w) {
            const game = this.windows[1];
            const deskWidth = Math.max(this.desk.clientWidth, 0);
            const size = w.frameSize();
            if (w === game) {
                if (!w.placed)
                    w.moveTo(Math.max(DeskMargin, (deskWidth - size.width) / 2), DeskMargin);
            } else if (!game.el.hidden) {
                const g = { x: game.el.offsetLeft, y: game.el.offsetTop, w: game.frameSize().width };
                if (g.x + g.w + WindowGap + size.width <= deskWidth)
                    w.moveTo(g.x + g.w + WindowGap, g.y);
                else if (g.x - WindowGap - size.width >= 0)
                    w.moveTo(g.x - WindowGap - size.width, g.y);
                else
                    w.moveTo(g.x + 2 * DeskMargin, g.y + 2 * DeskMargin);
            } else {
                w.moveTo(Math.max(DeskMargin, (deskWidth - size.width) / 2), DeskMargin);
            }
            w.placed = true;
        }

        activate(w) {
            if (w.el.hidden)
                return;
            if (this.active !== w) {
                if (this.active)
                    this.active.el.classList.remove('active');
                this.active = w;
                w.el.classList.add('active');
                w.el.style.zIndex = String(++this.stack);
            }
            const focusTarget = w.name === 'Form2' ? w.el.querySelector('.scrollbar') : w.client;
            if (focusTarget && !w.el.contains(document.activeElement))
                focusTarget.focus({ preventScroll: true });
        }

        keys() {
            const [form2, game] = this.windows;
            game.client.tabIndex = -1;
            game.client.setAttribute('aria-label', 'Blokko game');
            game.el.addEventListener('keydown', (e) => {
                const code = virtualKey(e.code);
                if (code === 0 || e.ctrlKey || e.altKey || e.metaKey)
                    return;
                e.preventDefault();
                this.engine.call.key(code);
                this.afterEvent(performance.now());
                // Enter and Space press the frontmost shown button, as a click would.
                if (code === 13 || code === 32) {
                    const button = game.shownButtonsFrontFirst()[0];
                    if (button)
                        this.click(game.index, button.id);
                }
            });
            form2.el.addEventListener('keydown', (e) => {
                if (e.key === 'Enter') {
                    e.preventDefault();
                    const go = [...form2.controls.values()].find((c) => c instanceof PageButton);
                    if (go)
                        this.click(form2.index, go.id);
                } else if (e.key === 'Tab') {
                    // Tab goes round the window's two controls.
                    e.preventDefault();
                    const order = [...form2.controls.values()].map((c) => c.el).filter((el) => !el.hidden);
                    const at = order.indexOf(document.activeElement);
                    const next = order[(at + (e.shiftKey ? order.length - 1 : 1)) % order.length];
                    if (next)
                        next.focus();
                }
            });
        }
    }

    // ---- Start: the module and the fonts, then the first frame -----------------------------------------

    const FontFaces = [
        '700 16px "EB Garamond"', 'italic 700 16px "DejaVu Sans"', '700 16px "Liberation Serif"',
        '700 16px "Liberation Sans"', '700 16px "Dancing Script"', '400 16px "Kaushan Script"',
    ];

    async function main() {
        const [module] = await Promise.all([
            createBlokkoEngine(),
            ...FontFaces.map((f) => document.fonts.load(f)),
        ]);
        const page = new Page(new Engine(module));
        document.getElementById('loading').remove();
        page.start();
        document.getElementById('desk').setAttribute('aria-busy', 'false');
        window.blokkoPage = {
            firstFrame: performance.now(),
            ticks: page.ticks,
            busy: page.busy,
            tickTimes: page.tickTimes,
        };
        performance.mark('blokko-first-frame');
    }

    main().catch((error) => {
        const loading = document.getElementById('loading');
        if (loading)
            loading.textContent = `Blokko could not start: ${error.message}`;
        throw error;
    });
})();
