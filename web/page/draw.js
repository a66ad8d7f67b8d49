// Scene items drawn with Canvas 2D calls: colours, fonts, hatches, cells, labels, panels, images.
import { TwipsPerPixel } from './engine.js';

// 0x00BBGGRR; a system colour (high bit set) is the window-text colour, black. Each colour's text is
// made once: the page sets a fill style for every cell it draws.
const cssColours = new Map();
export function css(colour) {
    let text = cssColours.get(colour);
    if (text === undefined) {
        const rgb = colour >= 0x80000000 ? 0
            : ((colour & 0xff) << 16) | (colour & 0xff00) | ((colour >> 16) & 0xff);
        text = `#${rgb.toString(16).padStart(6, '0')}`;
        cssColours.set(colour, text);
    }
    return text;
}

// The scene's font as drawn, its size in logical pixels times `scale`.
export function cssFont(item, scale) {
    return `${item.italic ? 'italic ' : ''}${item.weight} ${item.pixels * scale}px "${item.family}", "${item.fallback}"`;
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
export function setStyle(element, name, value) {
    let styles = written.get(element);
    if (!styles)
        written.set(element, (styles = {}));
    if (styles[name] !== value) {
        styles[name] = value;
        element.style[name] = value;
    }
}


// A rectangle in twips as whole device pixels (edges rounded, so neighbours share edges exactly).
function deviceRect(r, scale) {
    const k = scale / TwipsPerPixel;
    const x0 = Math.round(r.left * k), y0 = Math.round(r.top * k);
    return { x: x0, y: y0, w: Math.round((r.left + r.width) * k) - x0, h: Math.round((r.top + r.height) * k) - y0 };
}

// The changed rectangles as device pixels, a pixel wider on each side for anti-aliased text edges,
// those that overlap merged into one: the parts of a window to repaint, each on its own.
export function repaintAreas(changed, scale) {
    const areas = [];
    for (const r of changed) {
        const d = deviceRect(r, scale);
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

// An item's rectangle in device pixels, worked out once: a changed item comes as a new object.
export function itemRect(item, scale) {
    if (item.deviceScale !== scale) {
        item.device = deviceRect(item, scale);
        item.deviceScale = scale;
    }
    return item.device;
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

// The square is drawn with the side of the shorter edge, from the cell's top left corner; its edges
// are rounded to device pixels each on its own, so neighbouring cells meet without a gap.
export function drawCell(ctx, item, scale) {
    const twips = Math.min(item.width, item.height);
    if (twips <= 0)
        return;
    const r = deviceRect({ left: item.left, top: item.top, width: twips, height: twips }, scale);
    const border = Math.min(Math.round(Math.max(item.borderWidth, 0) * scale), Math.floor(Math.min(r.w, r.h) / 2));
    if (item.opaque) {
        // Most cells of play are opaque with a border: the border's colour over the whole square, then
        // the inside, takes two or three fills where four border strips would take six.
        let inside = r;
        if (border > 0) {
            ctx.fillStyle = css(item.borderColour);
            ctx.fillRect(r.x, r.y, r.w, r.h);
            inside = { x: r.x + border, y: r.y + border, w: r.w - 2 * border, h: r.h - 2 * border };
        }
        fillInside(ctx, item, inside, scale);
        return;
    }
    if (border <= 0)
        return;
    ctx.fillStyle = css(item.borderColour);
    ctx.fillRect(r.x, r.y, r.w, border);
    ctx.fillRect(r.x, r.y + r.h - border, r.w, border);
    ctx.fillRect(r.x, r.y + border, border, r.h - 2 * border);
    ctx.fillRect(r.x + r.w - border, r.y + border, border, r.h - 2 * border);
}

// An opaque cell's inside: its back colour, then its hatch (a solid one, black, covers the back).
function fillInside(ctx, item, r, scale) {
    if (r.w <= 0 || r.h <= 0)
        return;
    if (item.hatch !== 0) {
        ctx.fillStyle = css(item.back);
        ctx.fillRect(r.x, r.y, r.w, r.h);
    }
    const pattern = item.hatch === 0 ? '#000' : hatchPattern(ctx, item.hatch, scale);
    if (pattern) {
        ctx.fillStyle = pattern;
        ctx.fillRect(r.x, r.y, r.w, r.h);
    }
}

export function drawLabel(ctx, item, scale) {
    const r = deviceRect(item, scale);
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
    const x = item.left / TwipsPerPixel, y = item.top / TwipsPerPixel;
    for (const line of item.lines)
        ctx.fillText(line.text, (x + line.left) * scale, (y + line.baseline) * scale);
    ctx.restore();
}

// A panel and the filler cell it holds, placed relative to the panel and clipped by it.
export function drawPanel(ctx, item, scale) {
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
export function pictureCanvas(engine, id) {
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
