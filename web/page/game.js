// The game: the engine, its three timers on one clock, and its frames drawn on the windows' canvas
// layers. It runs in a worker (game_worker.js), so that play leaves the page's main thread free for the
// player's input and the page's own elements, or on the page itself where a canvas cannot be handed to a
// worker (link.js decides). Either way it talks to the page by messages alone: the page sends events and
// what it knows of the screen; the game sends what the page's elements need of each frame (captions,
// labels and controls, the windows shown), the keys each window takes, and the end.
import { Clock } from './clock.js';
import { drawCalls } from './draw.js';
import { Engine } from './engine.js';
import { layerSize } from './layer_size.js';

const DisplayFrame = 1000 / 60; // ms

export class Game {
    // `module` is an instance of the engine; `post(message, transfer)` reaches the page.
    constructor(module, post) {
        this.engine = new Engine(module);
        this.post = post;
        // Per window: its canvas layers (the page makes them, the game draws them), whether the last
        // frame showed it, and whether it waits for layers the page is making.
        this.windows = [0, 1].map(() => ({ layers: [], shown: false, waiting: false }));
        this.scale = 1; // the device pixel ratio times the windows' scale, as the page last said
        this.fit = 1; // the windows' scale
        this.told = null; // the scale the engine was told
        this.frameRequested = false;
        this.frameWaiting = false; // a frame waits for the end of the task or an animation frame
        this.drawn = { frames: 0, at: -Infinity, first: null }; // the frames drawn, the last's end, the first's
        this.ticks = { 1: 0, 2: 0, 3: 0 };
        // The intervals between each timer's ticks, and when its first tick was due (for the benchmark).
        this.tickTimes = {};
        for (const id of [1, 2, 3])
            this.tickTimes[id] = { firstDue: null, last: null, sum: 0, intervals: 0 };
        this.clock = new Clock((id, at) => this.tick(id, at), () => this.drawPending(false));
        this.nextFrame = typeof requestAnimationFrame === 'function'
            ? (draw) => requestAnimationFrame(draw) : (draw) => setTimeout(draw, DisplayFrame);
    }

    // A message from the page.
    receive(m) {
        const call = this.engine.call;
        switch (m.type) {
        case 'start':
            this.start(m.test);
            break;
        case 'scale':
            this.scale = m.scale;
            this.fit = m.fit;
            this.requestFrame();
            break;
        case 'hidden':
            this.clock.setHidden(m.hidden);
            break;
        case 'layers':
            this.addLayers(m.window, m.canvases);
            break;
        case 'key':
            this.event(() => call.key(m.window, m.key, m.code, m.repeat ? 1 : 0, m.commandHeld ? 1 : 0));
            break;
        case 'pad':
            this.event(() => call.pad(m.window, m.button, m.repeat ? 1 : 0));
            break;
        case 'click':
            this.event(() => call.click(m.window, m.id));
            break;
        case 'scroll':
            this.event(() => call.scroll(m.value));
            break;
        case 'close':
            // The program says what closing does: the end, or a window hidden (drawn at the next frame).
            this.event(() => call.close(m.window));
            break;
        case 'tick': // tests only: a tick the script asks for
            this.tick(m.timer, performance.now());
            break;
        case 'rand': // tests only: draws for the program's random source
            for (const value of m.values)
                call.testRand(String(value));
            break;
        case 'sync':
            // Whatever the events so far changed is drawn before the answer.
            if (this.frameRequested)
                this.render();
            this.answer(m);
            break;
        case 'copy':
            this.copy(m);
            break;
        case 'compare':
            this.compare(m);
            break;
        default:
            throw new Error(`the game has no message ${m.type}`);
        }
    }

    // Answers a request of the page, with the game's counts (times are this thread's).
    answer(m, fields = {}, transfer = []) {
        this.post({
            type: 'answer', id: m.id, origin: performance.timeOrigin, ticks: this.ticks, tickTimes: this.tickTimes,
            drawn: this.drawn, ...fields,
        }, transfer);
    }

    // A copy of a layer's pixels as they are now (tests read them).
    copy(m) {
        const layer = this.windows[m.window]?.layers[m.layer];
        if (!layer) {
            this.answer(m, { bitmap: null });
            return;
        }
        createImageBitmap(layer).then((bitmap) => this.answer(m, { bitmap }, [bitmap]));
    }

    // A window's layers as the frames drew them change by change, then drawn whole afresh, within one
    // task so that no tick comes between (tests compare the two).
    compare(m) {
        const layers = this.windows[m.window]?.layers ?? [];
        const snapshot = () => Promise.all(layers.map((layer) => createImageBitmap(layer)));
        this.render();
        const changes = snapshot();
        this.redrawAfresh();
        this.render();
        const afresh = snapshot();
        Promise.all([changes, afresh]).then(([a, b]) => this.answer(m, { changes: a, afresh: b }, [...a, ...b]));
    }

    // A fresh program (with `test`, one drawing the values the script queues, its clock standing still).
    start(test) {
        const call = this.engine.call;
        (test ? call.testStart : call.start)();
        this.clock.start();
        this.afterEvent(performance.now());
        if (test)
            this.clock.stop();
        this.render();
    }

    event(send) {
        send();
        this.afterEvent(performance.now());
    }

    // After every event: the end, or the keys each window takes, the timers, then a frame.
    afterEvent(at) {
        const state = this.engine.state();
        if (state.ended) {
            this.clock.stop();
            this.post({ type: 'ended' });
            return;
        }
        const taken = this.engine.keysTaken();
        if (taken)
            this.post({ type: 'keys', taken });
        state.timers.forEach((t, i) => this.clock.mirror(i + 1, t.interval, t.enabled, t.generation, at));
        this.clock.schedule();
        if (state.dirty)
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
        if (seen.firstDue === null)
            seen.firstDue = at;
        seen.last = began;
        this.engine.call.tick(id);
        this.afterEvent(at);
    }

    // A frame is drawn at the end of the task whose events changed the scene, once however many ticks
    // it ran: the canvases are desynchronized, so what is drawn is shown without waiting for a paint
    // cycle, and an animation frame of its own would cost a task per tick. The clock's ticks are drawn
    // as soon as a wake has delivered them; other events' changes at the end of their task. Ticks closer
    // together than the screen shows (the parade's, 2 ms apart) share the next animation frame.
    requestFrame() {
        if (this.frameRequested)
            return;
        this.frameRequested = true;
        if (!this.clock.delivering)
            this.drawPending(true);
    }

    // Draws the frame asked for: at once, at the end of this task, or at the next animation frame.
    drawPending(endOfTask) {
        if (!this.frameRequested || this.frameWaiting)
            return;
        const soon = performance.now() - this.drawn.at < DisplayFrame;
        if (!soon && !endOfTask) {
            this.render();
            return;
        }
        this.frameWaiting = true;
        const draw = () => {
            this.frameWaiting = false;
            if (this.frameRequested)
                this.render();
        };
        if (soon)
            this.nextFrame(draw);
        else
            queueMicrotask(draw);
    }

    render() {
        this.frameRequested = false;
        const call = this.engine.call;
        if (call.ended())
            return;
        // The engine lays out every frame for the screen's ratio times the windows' own scale; a new one
        // sends both windows whole.
        if (this.scale !== this.told) {
            this.told = this.scale;
            call.setScale(this.scale);
        }
        const frame = this.engine.frame();
        let news = null; // what the page's elements need of this frame, by window
        let drew = false;
        frame.forEach((win, i) => {
            const w = this.windows[i];
            if (win.shown)
                drew = this.draw(w, win) || drew;
            if (win.caption !== null || win.items !== null || win.whole || win.shown !== w.shown) {
                news ??= [null, null];
                const { calls, ...forPage } = win;
                news[i] = forPage;
            }
            w.shown = win.shown;
        });
        if (news)
            this.post({ type: 'frame', windows: news });
        ++this.drawn.frames;
        this.drawn.at = performance.now();
        if (drew && this.drawn.first === null) {
            this.drawn.first = this.drawn.at;
            this.post({ type: 'first frame' });
        }
    }

    // One shown window's part of the frame on its layers; false while the page has not given the game
    // enough of them (the window is drawn whole when they come).
    draw(w, win) {
        if (w.waiting || w.layers.length < win.layers) {
            w.waiting = true;
            return false;
        }
        if (win.whole) {
            // Sized afresh, every layer is cleared, those the frame leaves unused too, and its context's
            // state reset.
            const size = layerSize(win, this.fit);
            for (const canvas of w.layers) {
                canvas.width = size.width;
                canvas.height = size.height;
                canvas.font = null;
            }
        }
        drawCalls(w.layers, this.engine, win.calls.from, win.calls.to, win.scale);
        return true;
    }

    // Layers the page made for a window, bottom first, after those it has.
    addLayers(index, canvases) {
        const w = this.windows[index];
        for (const canvas of canvases) {
            // The bottom layer covers the whole window: opaque, so it is composited without blending.
            // Every layer is drawn whole within one task and shown as it is, desynchronized from the
            // page's paint cycle.
            canvas.ctx = canvas.getContext('2d', { alpha: w.layers.length !== 0, desynchronized: true });
            canvas.font = null;
            // A browser short of memory may drop a canvas's pixels; they come back blank.
            canvas.addEventListener?.('contextrestored', () => this.redrawAfresh());
            w.layers.push(canvas);
        }
        if (w.waiting) {
            w.waiting = false;
            this.redrawAfresh();
        }
    }

    redrawAfresh() {
        if (this.engine.call.ended())
            return;
        this.engine.call.drawAfresh();
        this.requestFrame();
    }
}
