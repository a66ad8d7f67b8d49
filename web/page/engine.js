// The engine behind its C interface (web/page_api.cpp): events in, frames of the scene out.



// Item kinds and flags, as web/page_api.cpp writes them.
export const Kind = { Cell: 1, Label: 2, Panel: 3, Image: 4, Button: 5, ScrollBar: 6 };
const Flag = { Visible: 1, Enabled: 2, Opaque: 4, Stretch: 8, Bold: 16, Italic: 32, InnerVisible: 64 };
const ItemFields = 52; // then the item's lines
const LineFields = 4;
const WindowFields = 15;

export class Engine {
    constructor(module) {
        this.m = module;
        this.call = {
            start: module.cwrap('page_start', null, []),
            ended: module.cwrap('page_ended', 'number', []),
            click: module.cwrap('page_click', null, ['number', 'number']),
            scroll: module.cwrap('page_scroll', null, ['number']),
            key: module.cwrap('page_key', 'number', ['number', 'string', 'string', 'number', 'number']),
            pad: module.cwrap('page_pad', 'number', ['number', 'number', 'number']),
            tick: module.cwrap('page_tick', null, ['number']),
            close: module.cwrap('page_close', 'number', ['number']),
            state: module.cwrap('page_state', 'number', []),
            frame: module.cwrap('page_frame', 'number', []),
            text: module.cwrap('page_text', 'number', ['number']),
            picture: module.cwrap('page_picture', 'number', ['number', 'number']),
            hatchTile: module.cwrap('page_hatch_tile', 'number', ['number']),
            setScale: module.cwrap('page_set_scale', null, ['number']),
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

    // After an event: whether the program ended, whether a frame would show anything new, the load of
    // the game window the timers belong to, and each timer's interval, whether it is enabled and its
    // generation (a new one: start the timer afresh).
    state() {
        const s = this.m.HEAP32, at = this.call.state() >> 2;
        return {
            ended: s[at] !== 0,
            dirty: s[at + 1] !== 0,
            load: s[at + 2],
            timers: [0, 1, 2].map((t) => ({
                interval: s[at + 3 + 2 * t], enabled: s[at + 4 + 2 * t] !== 0, generation: s[at + 9 + t],
            })),
        };
    }

    // An image item's pixels, as the scene places them in device pixels: { x, y, w, h, rgb } each.
    picture(window, id) {
        const s = this.m.HEAP32;
        let at = this.call.picture(window, id) >> 2;
        const pixels = [];
        for (let n = s[at++]; n > 0; --n, at += 5)
            pixels.push({ x: s[at], y: s[at + 1], w: s[at + 2], h: s[at + 3], rgb: s[at + 4] });
        return pixels;
    }

    // A hatch's tile at the page's ratio: its side and each pixel's ink, 0 to 255, row by row.
    hatchTile(style) {
        const s = this.m.HEAP32;
        const at = this.call.hatchTile(style) >> 2;
        const side = s[at];
        return { side, ink: s.slice(at + 1, at + 1 + side * side) };
    }

    // One frame of the scene: for each window its state, its items in z order (back to front) and the
    // areas changed since the last frame. Colours are 0xRRGGBB; `device`, `square`, `inside` and the
    // changed areas are device pixels at the frame's `scale`, `box` is CSS pixels.
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
                scale: h[p + 10],
                cssWidth: h[p + 11],
                cssHeight: h[p + 12],
                deviceWidth: h[p + 13],
                deviceHeight: h[p + 14],
                items: [],
                changed: [],
            };
            const itemCount = h[p + 8];
            const changedCount = h[p + 9];
            p += WindowFields;
            for (let i = 0; i < itemCount; ++i) {
                const item = {
                    kind: h[p], id: h[p + 1], left: h[p + 2], top: h[p + 3], width: h[p + 4], height: h[p + 5],
                    back: h[p + 6], hatch: h[p + 7], borderColour: h[p + 8], borderWidth: h[p + 9],
                    fore: h[p + 10], text: this.text(h[p + 11]), family: this.text(h[p + 12]),
                    points: h[p + 13], bold: (h[p + 14] & Flag.Bold) !== 0, italic: (h[p + 14] & Flag.Italic) !== 0,
                    visible: (h[p + 14] & Flag.Visible) !== 0, enabled: (h[p + 14] & Flag.Enabled) !== 0,
                    opaque: (h[p + 14] & Flag.Opaque) !== 0, stretch: (h[p + 14] & Flag.Stretch) !== 0,
                    value: h[p + 15], min: h[p + 16], max: h[p + 17],
                    inner: { left: h[p + 18], top: h[p + 19], width: h[p + 20], height: h[p + 21] },
                    innerVisible: (h[p + 14] & Flag.InnerVisible) !== 0, innerBack: h[p + 22],
                    index: h[p + 23], smallChange: h[p + 24], largeChange: h[p + 25],
                    device: rect(h, p + 26), box: rect(h, p + 30), square: rect(h, p + 34),
                    borderPixels: h[p + 38], inside: rect(h, p + 39), fill: h[p + 43], pattern: h[p + 44],
                    filled: h[p + 45] !== 0,
                    // The caption as the scene lays it out: the font as drawn, and each line with its place
                    // in logical pixels from the item's top left.
                    pixels: h[p + 46], weight: h[p + 47], fallback: this.text(h[p + 48]), ascent: h[p + 49],
                    descent: h[p + 50], lines: [],
                };
                const lineCount = h[p + 51];
                p += ItemFields;
                for (let k = 0; k < lineCount; ++k, p += LineFields)
                    item.lines.push({ text: this.text(h[p]), left: h[p + 1], baseline: h[p + 2], width: h[p + 3] });
                win.items.push(item);
            }
            for (let i = 0; i < changedCount; ++i, p += 4)
                win.changed.push(rect(h, p));
            windows.push(win);
        }
        return windows;
    }
}

function rect(h, p) {
    return { x: h[p], y: h[p + 1], w: h[p + 2], h: h[p + 3] };
}
