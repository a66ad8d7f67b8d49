// Scene items drawn with Canvas 2D calls: colours, fonts, hatches, cells, labels, panels, images.

// A colour the scene resolved, 0xRRGGBB, as CSS text. Each colour's text is made once: the page sets a
// fill style for every cell it draws.
const cssColours = new Map();
export function css(rgb) {
    let text = cssColours.get(rgb);
    if (text === undefined) {
        text = `#${rgb.toString(16).padStart(6, '0')}`;
        cssColours.set(rgb, text);
    }
    return text;
}

// The scene's font as drawn, its size in logical pixels times `scale`.
export function cssFont(item, scale) {
    return `${item.italic ? 'italic ' : ''}${item.weight} ${item.pixels * scale}px "${item.family}", "${item.fallback}"`;
}

// The scene's hatch tiles (black ink over a cell's inside) as canvas patterns, made once per ratio.
// Patterns repeat from the canvas's corner, which is the window's: neighbouring cells continue each
// other's lines.
const hatchPatterns = new Map();
function hatchPattern(ctx, engine, pattern, scale) {
    const key = `${pattern}@${scale}`;
    if (hatchPatterns.has(key))
        return hatchPatterns.get(key);
    const { side, ink } = engine.hatchTile(pattern);
    let made = null;
    if (side > 0) {
        const tile = document.createElement('canvas');
        tile.width = tile.height = side;
        const t = tile.getContext('2d');
        const data = t.createImageData(side, side);
        ink.forEach((alpha, i) => { data.data[4 * i + 3] = alpha; });
        t.putImageData(data, 0, 0);
        made = ctx.createPattern(tile, 'repeat');
    }
    hatchPatterns.set(key, made);
    return made;
}

// Styles are written only when they change: a write, even of the same value, costs a style pass.
const written = new WeakMap();
export function setStyle(element, name, value) {
    let styles = written.get(element);
    if (!styles)
        written.set(element, (styles = {}));
    if (styles[name] !== value) {
        styles[name] = value;
        element.style[name] = value;
    }
}


// The changed rectangles (device pixels), a pixel wider on each side for anti-aliased text edges,
// those that overlap merged into one: the parts of a window to repaint, each on its own.
export function repaintAreas(changed) {
    const areas = [];
    for (const d of changed) {
        let area = { x: d.x - 1, y: d.y - 1, w: d.w + 2, h: d.h + 2 };
        for (let i = 0; i < areas.length;) {
            if (intersects(areas[i], area)) {
                area = union(area, areas.splice(i, 1)[0]);
                i = 0; // the grown area may now reach one already passed
            } else {
                ++i;
            }
        }
        areas.push(area);
    }
    return areas;
}

export function intersects(a, b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// Whether `outer` holds all of `inner`.
export function contains(outer, inner) {
    return outer.x <= inner.x && outer.y <= inner.y && inner.x + inner.w <= outer.x + outer.w &&
        inner.y + inner.h <= outer.y + outer.h;
}

// The smallest rectangle holding both (either may be null: nothing).
export function union(a, b) {
    if (!a || !b)
        return a || b;
    const x = Math.min(a.x, b.x), y = Math.min(a.y, b.y);
    return { x, y, w: Math.max(a.x + a.w, b.x + b.w) - x, h: Math.max(a.y + a.h, b.y + b.h) - y };
}

// A cell's or a panel filler's square as the scene gives it: the border's colour over the square, then
// the inside in its fill colour and the hatch over it; a square that is not filled draws its border
// only.
export function drawSquare(ctx, engine, item, scale) {
    const r = item.square, b = item.borderPixels;
    if (item.filled) {
        if (b > 0) {
            ctx.fillStyle = css(item.borderColour);
            ctx.fillRect(r.x, r.y, r.w, r.h);
        }
        const inside = item.inside;
        if (inside.w <= 0 || inside.h <= 0)
            return;
        ctx.fillStyle = css(item.fill);
        ctx.fillRect(inside.x, inside.y, inside.w, inside.h);
        const pattern = item.pattern > 1 ? hatchPattern(ctx, engine, item.pattern, scale) : null;
        if (pattern) {
            ctx.fillStyle = pattern;
            ctx.fillRect(inside.x, inside.y, inside.w, inside.h);
        }
        return;
    }
    if (b <= 0)
        return;
    ctx.fillStyle = css(item.borderColour);
    ctx.fillRect(r.x, r.y, r.w, b);
    ctx.fillRect(r.x, r.y + r.h - b, r.w, b);
    ctx.fillRect(r.x, r.y + b, b, r.h - 2 * b);
    ctx.fillRect(r.x + r.w - b, r.y + b, b, r.h - 2 * b);
}

export function drawLabel(ctx, item, scale) {
    const r = item.device;
    if (item.opaque) {
        ctx.fillStyle = css(item.back);
        ctx.fillRect(r.x, r.y, r.w, r.h);
    }
    if (item.lines.length === 0)
        return;
    // The scene's lines where it places them; a line placed below a label one line high stays inside it,
    // as only the label's area is repainted when it changes.
    ctx.save();
    ctx.beginPath();
    ctx.rect(r.x, r.y, r.w, r.h);
    ctx.clip();
    ctx.font = cssFont(item, scale);
    ctx.fillStyle = css(item.fore);
    ctx.textBaseline = 'alphabetic';
    const { x, y } = item.box; // the label's place in logical pixels, as the scene rounds it
    for (const line of item.lines)
        ctx.fillText(line.text, (x + line.left) * scale, (y + line.baseline) * scale);
    ctx.restore();
}

// A panel and the filler cell it holds, clipped by it.
export function drawPanel(ctx, engine, item, scale) {
    const r = item.device;
    ctx.fillStyle = css(item.back);
    ctx.fillRect(r.x, r.y, r.w, r.h);
    if (!item.innerVisible)
        return;
    ctx.save();
    ctx.beginPath();
    ctx.rect(r.x, r.y, r.w, r.h);
    ctx.clip();
    drawSquare(ctx, engine, item, scale);
    ctx.restore();
}

// An image: the scene's picture pixels, each a rectangle of device pixels. They change only with the
// item, which then comes as a new object. Returns the device pixels drawn.
export function drawPicture(ctx, engine, windowIndex, item) {
    if (!item.picture)
        item.picture = engine.picture(windowIndex, item.id);
    let drawn = null;
    for (const p of item.picture) {
        ctx.fillStyle = css(p.rgb);
        ctx.fillRect(p.x, p.y, p.w, p.h);
        drawn = union(drawn, p);
    }
    return drawn;
}
