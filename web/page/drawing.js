// The page's side of the drawing: frames go to a painter (painter.js) in a worker where the browser can
// hand a canvas to one, else to a painter on the page. Either way the same messages, in the same order.
import { Painter } from './painter.js';

// Whether this browser can draw a canvas in a worker (page/boot.js asks the same).
function workersDraw() {
    return typeof Worker !== 'undefined' && typeof OffscreenCanvasRenderingContext2D !== 'undefined' &&
        typeof HTMLCanvasElement.prototype.transferControlToOffscreen === 'function';
}

export class Drawing {
    // `worker`: a painter's worker already started (page/boot.js starts one early), or null to start
    // one here where the browser can.
    constructor(worker = null) {
        this.onRestored = () => {};
        this.onDrawn = null; // told when each frame is drawn, with its time on the page's clock
        this.asking = new Map(); // a settle or read asked for, by id -> { resolve, reject }
        this.lastAsked = 0;
        this.failure = null;
        if (worker || workersDraw()) {
            this.worker = worker || new Worker(new URL('./paint_worker.js', import.meta.url), { type: 'module' });
            this.worker.addEventListener('message', ({ data }) => this.heard(data));
            // A worker that cannot start (its script not served, say) draws nothing: the page's start
            // fails with the reason rather than wait for a first frame.
            const failed = (why) => this.fail(`its drawing did not start: page/paint_worker.js (${why})`);
            this.worker.addEventListener('error', (e) => failed(e.message || 'no script'));
            if (this.worker.failure)
                queueMicrotask(() => failed(this.worker.failure));
        } else {
            this.worker = null;
            this.painter = new Painter((message) => queueMicrotask(() => this.heard(message)));
        }
    }

    send(message, transfer = []) {
        if (this.worker)
            this.worker.postMessage(message, transfer);
        else
            this.painter.handle(message);
    }

    // New canvases on top of window `index`'s layers: the painter draws them from now on.
    adopt(index, canvases) {
        const moved = this.worker ? canvases.map((c) => c.transferControlToOffscreen()) : canvases;
        this.send({ kind: 'layers', index, canvases: moved }, this.worker ? moved : []);
    }

    drop(index, keep) {
        this.send({ kind: 'drop', index, keep });
    }

    frame(scale, tiles, texts, windows) {
        this.send({ kind: 'frame', scale, tiles, texts, windows, ack: this.onDrawn !== null },
            this.worker ? windows.map((w) => w.calls.buffer) : []);
    }

    // Resolves once every frame sent so far is drawn and on the screen (tests, and the first frame).
    settled() {
        return new Promise((resolve, reject) => {
            if (this.failure)
                return reject(this.failure);
            const id = ++this.lastAsked;
            this.asking.set(id, { resolve, reject });
            this.send({ kind: 'settle', id });
        });
    }

    // The pixels of window `index`'s layers once every frame sent so far is drawn (tests): RGBA arrays.
    read(index) {
        return new Promise((resolve, reject) => {
            if (this.failure)
                return reject(this.failure);
            const id = ++this.lastAsked;
            this.asking.set(id, { resolve, reject });
            this.send({ kind: 'read', id, index });
        });
    }

    fail(reason) {
        this.failure = new Error(reason);
        console.error(`Blokko: ${reason}`);
        for (const { reject } of this.asking.values())
            reject(this.failure);
        this.asking.clear();
    }

    heard(message) {
        switch (message.kind) {
        case 'restored':
            this.onRestored();
            break;
        case 'drawn':
            this.onDrawn?.(message.at - performance.timeOrigin);
            break;
        case 'read':
            this.asking.get(message.id)?.resolve(message.layers);
            this.asking.delete(message.id);
            break;
        case 'settled':
            // The screen takes the painter's last frame with its next one.
            requestAnimationFrame(() => {
                this.asking.get(message.id)?.resolve();
                this.asking.delete(message.id);
            });
            break;
        default:
            break;
        }
    }
}
