// Draws the windows' canvas layers from the frames the page sends: in a worker (paint_worker.js) where
// the browser can hand a canvas to one, else on the page itself (drawing.js chooses). It takes the
// page's messages in order and answers through `tell`:
//   { kind: 'layers', index, canvases }  new layers on top of window `index`'s (canvases or offscreen ones)
//   { kind: 'drop', index, keep }        the window keeps its first `keep` layers only
//   { kind: 'frame', scale, tiles, texts, windows: [{ index, sizes, calls }], ack }
//       a frame: the hatch tiles by style when the ratio is new (else null), the frame's texts by id, and
//       for each window drawn its layers' backing stores when they are sized afresh (else null) and its
//       canvas calls; with `ack`, answered with { kind: 'drawn', at } (the time since the epoch)
//   { kind: 'settle', id }               answered with { kind: 'settled', id } once everything before it
//                                        is drawn and handed to the screen
//   { kind: 'read', id, index }          answered with { kind: 'read', id, layers }: the pixels of window
//                                        `index`'s layers as drawn so far, RGBA row by row (tests)
// It also tells { kind: 'restored' } when a layer's pixels, lost for want of memory, can be drawn again.
import { drawCalls } from './draw.js';

export class Painter {
    constructor(tell) {
        this.tell = tell;
        this.layers = [[], []]; // each window's, bottom first
        this.tiles = [];
    }

    handle(message) {
        switch (message.kind) {
        case 'layers':
            for (const canvas of message.canvases) {
                const layers = this.layers[message.index];
                // The bottom layer covers the whole window: opaque, so it is composited without blending.
                // Every layer is drawn whole within one task and shown as it is: desynchronized from the
                // page's paint cycle, a frame of play costs the browser about a tenth less CPU (the
                // README's bench), and reaches the screen sooner.
                canvas.ctx = canvas.getContext('2d', { alpha: layers.length !== 0, desynchronized: true });
                // A browser short of memory may drop a canvas's pixels; they come back blank.
                canvas.addEventListener('contextrestored', () => this.tell({ kind: 'restored' }));
                layers.push(canvas);
            }
            break;
        case 'drop':
            this.layers[message.index].length = message.keep;
            break;
        case 'frame':
            this.draw(message);
            break;
        case 'settle':
            // Answered in a task of its own: the frames before it are handed to the screen at the end of
            // theirs.
            setTimeout(() => this.tell({ kind: 'settled', id: message.id }), 0);
            break;
        case 'read': {
            const layers = this.layers[message.index].map((c) => c.ctx.getImageData(0, 0, c.width, c.height).data);
            this.tell({ kind: 'read', id: message.id, layers }, layers.map((data) => data.buffer));
            break;
        }
        default:
            throw new Error(`no message ${message.kind}`);
        }
    }

    draw({ scale, tiles, texts, windows, ack }) {
        if (tiles)
            this.tiles = tiles;
        for (const { index, sizes, calls } of windows) {
            const layers = this.layers[index];
            if (sizes)
                sizes.forEach(([width, height], n) => {
                    const canvas = layers[n];
                    canvas.width = width;
                    canvas.height = height;
                    canvas.font = null; // a canvas sized afresh has its context's state reset
                });
            drawCalls(layers, calls, texts, this.tiles, scale);
        }
        if (ack)
            this.tell({ kind: 'drawn', at: performance.timeOrigin + performance.now() });
    }
}
