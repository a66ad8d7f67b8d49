// The frame's canvas calls (web/paint_writer.h) run on a window's layers: colours, fonts, hatches.
import { Call } from './frame_codes.js';

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

// The scene's font as drawn, its size in pixels.
export function cssFont(italic, weight, size, family, fallback) {
    return `${italic ? 'italic ' : ''}${weight} ${size}px "${family}", "${fallback}"`;
}

// The scene's hatch tiles (black ink over a cell's inside), each over the colours it is drawn on, as
// canvas patterns: a hatched inside is then one fill. They are made for the ratio drawn at; a new ratio
// (a zoom) makes its own, and the old ones go. Patterns repeat from the canvas's corner, which is the
// window's: neighbouring cells continue each other's lines.
const patterns = { scale: null, ink: new Map(), hatched: new Map() }; // by style; hatched then by colour
function patternsAt(scale) {
    if (patterns.scale !== scale) {
        patterns.scale = scale;
        patterns.ink.clear();
        patterns.hatched.clear();
    }
    return patterns;
}

// A tile is drawn where the game runs: a worker has no document, only offscreen canvases.
function tileCanvas(side, options) {
    let tile;
    if (typeof OffscreenCanvas === 'function') {
        tile = new OffscreenCanvas(side, side);
    } else {
        tile = document.createElement('canvas');
        tile.width = tile.height = side;
    }
    return { tile, t: tile.getContext('2d', options) };
}

// A hatch's ink alone, on a transparent tile (null for no hatch).
function inkTile(engine, style, scale) {
    const made = patternsAt(scale).ink;
    if (!made.has(style)) {
        const { side, ink } = engine.hatchTile(style);
        let inked = null;
        if (side > 0) {
            const { tile, t } = tileCanvas(side);
            const data = t.createImageData(side, side);
            ink.forEach((alpha, i) => { data.data[4 * i + 3] = alpha; });
            t.putImageData(data, 0, 0);
            inked = tile;
        }
        made.set(style, inked);
    }
    return made.get(style);
}

// A hatch's tile over a colour, inked the way a layer would be, so the pixels are the same.
function hatchPattern(ctx, engine, rgb, style, scale) {
    const made = patternsAt(scale).hatched;
    let overColours = made.get(style);
    if (!overColours)
        made.set(style, (overColours = new Map()));
    if (!overColours.has(rgb)) {
        const ink = inkTile(engine, style, scale);
        let tiled = null;
        if (ink) {
            const { tile, t } = tileCanvas(ink.width, { alpha: false });
            t.fillStyle = css(rgb);
            t.fillRect(0, 0, ink.width, ink.width);
            t.drawImage(ink, 0, 0);
            tiled = ctx.createPattern(tile, 'repeat');
        }
        overColours.set(rgb, tiled);
    }
    return overColours.get(rgb);
}

// The calls the frame wrote for a window, from `at` to `end` in the engine's heap, on its canvas layers
// (each canvas has its context as `ctx`, and the font last set on it as `font`). `scale` is the frame's
// device pixel ratio.
export function drawCalls(layers, engine, at, end, scale) {
    let h = engine.heap();
    let canvas = layers[0];
    let ctx = canvas.ctx;
    // The colour or hatch pattern the context fills with, when the calls set it (-1: not known):
    // neighbouring cells share their colours, and each style set is a call into the browser.
    let fill = -1;
    const fonts = []; // the font at each clip in force
    const fillWith = (rgb) => {
        if (rgb !== fill) {
            ctx.fillStyle = css(rgb);
            fill = rgb;
        }
    };
    while (at < end) {
        switch (h[at]) {
        case Call.Layer:
            canvas = layers[h[at + 1]];
            ctx = canvas.ctx;
            fill = -1;
            at += 2;
            break;
        case Call.FillLayer:
            fillWith(h[at + 1]);
            ctx.fillRect(0, 0, canvas.width, canvas.height);
            at += 2;
            break;
        case Call.ClearLayer:
            ctx.clearRect(0, 0, canvas.width, canvas.height);
            at += 1;
            break;
        case Call.Clip:
            fonts.push(canvas.font);
            ctx.save();
            ctx.beginPath();
            ctx.rect(h[at + 1], h[at + 2], h[at + 3], h[at + 4]);
            ctx.clip();
            at += 5;
            break;
        case Call.Restore:
            ctx.restore(); // the fill style and the font as they were at the clip
            fill = -1;
            canvas.font = fonts.pop();
            at += 1;
            break;
        case Call.Fill:
            fillWith(h[at + 1]);
            ctx.fillRect(h[at + 2], h[at + 3], h[at + 4], h[at + 5]);
            at += 6;
            break;
        case Call.Clear:
            ctx.clearRect(h[at + 1], h[at + 2], h[at + 3], h[at + 4]);
            at += 5;
            break;
        case Call.Hatch: {
            const rgb = h[at + 1], style = h[at + 2];
            const pattern = hatchPattern(ctx, engine, rgb, style, scale);
            h = engine.heap(); // the tile came from the engine
            if (!pattern) {
                fillWith(rgb);
            } else if (fill !== pattern) { // the cells of one piece share their pattern
                ctx.fillStyle = pattern;
                fill = pattern;
            }
            ctx.fillRect(h[at + 3], h[at + 4], h[at + 5], h[at + 6]);
            at += 7;
            break;
        }
        case Call.Font: {
            // A canvas keeps its font until it is resized; setting one again parses it again.
            const font = cssFont(h[at + 1] !== 0, h[at + 2], h[at + 3], engine.text(h[at + 4]), engine.text(h[at + 5]));
            if (canvas.font !== font) {
                ctx.font = font;
                ctx.textBaseline = 'alphabetic';
                canvas.font = font;
            }
            at += 6;
            break;
        }
        case Call.Text:
            fillWith(h[at + 1]);
            ctx.fillText(engine.text(h[at + 2]), h[at + 3], h[at + 4]);
            at += 5;
            break;
        default:
            throw new Error(`no canvas call ${h[at]}`);
        }
    }
}

export function intersects(a, b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}
