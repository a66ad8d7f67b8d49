// The engine behind its C interface (web/page_api.cpp), where the game runs: events in, frames of the
// scene out.
// The item kinds and flags come from web/frame_codes.h, written for the page at build time.
import { ItemFlag as Flag } from './frame_codes.js';

// The numbers of a window and of an item in a frame, as web/frame_writer.cpp writes them.
const WindowFields = 15;
const ItemFields = 25; // then the item's lines
const LineFields = 4;

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
            hatchTile: module.cwrap('page_hatch_tile', 'number', ['number']),
            setScale: module.cwrap('page_set_scale', null, ['number']),
            drawAfresh: module.cwrap('page_draw_afresh', null, []),
            keysTaken: module.cwrap('page_keys_taken', 'number', []),
            // Tests only: a program drawing the values queued for it.
            testStart: module.cwrap('page_test_start', null, []),
            testRand: module.cwrap('page_test_rand', null, ['string']),
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

    // Which key codes each window takes, when that changed since the last call (else null): 512 flags,
    // the difficulty window's 256 then the game window's.
    keysTaken() {
        const at = this.call.keysTaken();
        return this.m.HEAPU8[at] !== 0 ? this.m.HEAPU8.slice(at + 1, at + 1 + 512) : null;
    }

    // A hatch's tile at the page's ratio: its side and each pixel's ink, 0 to 255, row by row.
    hatchTile(style) {
        const s = this.m.HEAP32;
        const at = this.call.hatchTile(style) >> 2;
        const side = s[at];
        return { side, ink: s.slice(at + 1, at + 1 + side * side) };
    }

    // The heap the frame's canvas calls are read from, afresh after any call into the engine that may
    // have grown its memory.
    heap() {
        return this.m.HEAPF64;
    }

    // One frame of the scene: for each window its state, its labels and controls in z order (back to
    // front) when any of them changed (else null), and where its canvas calls lie in heap(). Places are
    // in twips; a control's `box` is CSS pixels.
    frame() {
        const h = this.m.HEAPF64;
        let p = this.call.frame() >> 3;
        this.frameTexts.clear();
        const windows = [];
        const count = h[p++];
        for (let w = 0; w < count; ++w) {
            const itemCount = h[p + 8];
            const callsLength = h[p + 9];
            const win = {
                shown: h[p] !== 0,
                generation: h[p + 1],
                width: h[p + 2],
                height: h[p + 3],
                caption: h[p + 4] !== 0 ? this.text(h[p + 5]) : null, // null: as before
                whole: h[p + 6] !== 0,
                layers: h[p + 7],
                scale: h[p + 10],
                cssWidth: h[p + 11],
                cssHeight: h[p + 12],
                deviceWidth: h[p + 13],
                deviceHeight: h[p + 14],
                items: itemCount < 0 ? null : [],
            };
            p += WindowFields;
            for (let i = 0; i < itemCount; ++i) {
                const flags = h[p + 11];
                const item = {
                    kind: h[p], id: h[p + 1], left: h[p + 2], top: h[p + 3], width: h[p + 4], height: h[p + 5],
                    text: this.text(h[p + 6]), family: this.text(h[p + 7]), fallback: this.text(h[p + 8]),
                    pixels: h[p + 9], weight: h[p + 10], visible: (flags & Flag.Visible) !== 0,
                    enabled: (flags & Flag.Enabled) !== 0, italic: (flags & Flag.Italic) !== 0,
                    value: h[p + 12], min: h[p + 13], max: h[p + 14], smallChange: h[p + 15], largeChange: h[p + 16],
                    box: { x: h[p + 17], y: h[p + 18], w: h[p + 19], h: h[p + 20] },
                    // The caption as the scene lays it out: each line with its place in logical pixels from
                    // the item's top left.
                    ascent: h[p + 21], descent: h[p + 22],
                    layer: h[p + 23], // the canvas layer behind a control
                    lines: [],
                };
                const lineCount = h[p + 24];
                p += ItemFields;
                for (let k = 0; k < lineCount; ++k, p += LineFields)
                    item.lines.push({ text: this.text(h[p]), left: h[p + 1], baseline: h[p + 2], width: h[p + 3] });
                win.items.push(item);
            }
            win.calls = { from: p, to: p + callsLength };
            p += callsLength;
            windows.push(win);
        }
        return windows;
    }
}
