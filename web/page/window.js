// One window on the page: title bar, client area, canvas layers between the real controls.
import { TwipsPerPixel, Kind } from './engine.js';
import { css, setStyle, deviceRect, intersects, drawCell, drawLabel, drawPanel, pictureCanvas } from './draw.js';
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
